#include "reminder/settings.h"

#include "app/text.h"
#include "store/ticket.h"

Settings settings = {1, 19, 30, 0};

void ResetSettings() { settings = Settings{1, 19, 30, 0}; }

void FormatSettingsText(const Settings& from, char16_t* out, int32_t cap) {
  FormatText(out, cap, u"remind=%d\r\ntime=%02d:%02d\r\nlast=%lu\r\n", from.remind, from.hour,
             from.minute, from.lastDay);
}

// Position just behind key when it stands at the start of the text or right after a line feed;
// -1 when the key is missing. The first such occurrence counts.
static int32_t FindKey(const char16_t* text, int32_t length, const char16_t* key) {
  int32_t keyLength = TextLength(key);
  for (int32_t i = 0; i + keyLength <= length; i++) {
    if (i > 0 && text[i - 1] != u'\n') continue;
    int32_t k = 0;
    while (k < keyLength && text[i + k] == key[k]) k++;
    if (k == keyLength) return i + keyLength;
  }
  return -1;
}

// Leading decimal digits from *at; no digit gives 0. Saturates instead of wrapping, so a huge
// number stays out of range rather than turning into a small valid one.
static uint32_t ReadNumber(const char16_t* text, int32_t length, int32_t* at) {
  uint32_t value = 0;
  while (*at < length && text[*at] >= u'0' && text[*at] <= u'9') {
    uint32_t digit = static_cast<uint32_t>(text[*at] - u'0');
    value = value > (0xFFFFFFFFu - digit) / 10 ? 0xFFFFFFFFu : value * 10 + digit;
    (*at)++;
  }
  return value;
}

void ParseSettingsText(const char16_t* text, int32_t length, Settings* into) {
  int32_t at = FindKey(text, length, u"remind=");
  if (at >= 0) into->remind = (at < length && text[at] == u'1') ? 1 : 0;
  at = FindKey(text, length, u"time=");
  if (at >= 0) {
    uint32_t hour = ReadNumber(text, length, &at);
    if (at < length && text[at] == u'|') at++;
    if (at < length && text[at] == u':') at++;
    uint32_t minute = ReadNumber(text, length, &at);
    if (hour <= 23 && minute <= 59) {
      into->hour = static_cast<int32_t>(hour);
      into->minute = static_cast<int32_t>(minute);
    }
  }
  at = FindKey(text, length, u"last=");
  if (at >= 0) into->lastDay = ReadNumber(text, length, &at);
}

uint32_t DayNumber(int32_t year, int32_t month, int32_t day) {
  return static_cast<uint32_t>(year * 10000 + month * 100 + day);
}

int32_t DecideReminder(const Settings& current, const LocalTime& now, int32_t openCount) {
  if (current.remind == 0) return ReminderNothing;
  if (current.lastDay == DayNumber(now.year, now.month, now.day)) return ReminderNothing;
  int32_t late = (now.hour - current.hour) * 60 + (now.minute - current.minute);
  if (late < 0) return ReminderNothing;
  if (late > 120 || openCount <= 0) return ReminderMarkDay;
  return ReminderShowNow;
}

int32_t StepReminder(Settings* current, const LocalTime& now, int32_t openCount) {
  int32_t action = DecideReminder(*current, now, openCount);
  if (action != ReminderNothing) current->lastDay = DayNumber(now.year, now.month, now.day);
  return action;
}

void ApplySettingsUpdate(Settings* into, int32_t remind, int32_t hour, int32_t minute,
                         const LocalTime& now) {
  bool changed = into->remind != remind || into->hour != hour || into->minute != minute;
  into->remind = remind;
  into->hour = hour;
  into->minute = minute;
  if (changed && now.hour * 60 + now.minute < hour * 60 + minute) into->lastDay = 0;
}

int32_t OpenTicketCount() {
  int32_t open = 0;
  for (int32_t i = 0; i < ticketStore.ticketCount && i < maxTickets; i++)
    if (ColumnOf(ticketStore.tickets[i].state) < 2) open++;
  return open;
}

void FormatSettingsBadge(const Settings& from, char16_t* out, int32_t cap) {
  if (from.remind == 1)
    FormatText(out, cap, u"%02d:%02d", from.hour, from.minute);
  else
    CopyText(out, cap, u"выкл");
}

void FormatSettingsStatus(const Settings& from, char16_t* out, int32_t cap) {
  if (from.remind == 1)
    FormatText(out, cap, u"Напоминание включено на %02d:%02d", from.hour, from.minute);
  else
    CopyText(out, cap, u"Напоминание выключено");
}
