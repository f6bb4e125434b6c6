// Typing a bind in the program's own process, with the system's input and key state replaced so
// the batches, the refusals and the wait for the modifiers can be watched.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/paths.h"
#include "app/status.h"
#include "app/textfile.h"
#include "binds/bind_input_win.h"
#include "binds/binds_win.h"

namespace {

struct Call {
  UINT count;
  DWORD at;
  bool ctrlHeld;  // whether Ctrl read as held when the events were sent
  std::vector<INPUT> events;
};
std::vector<Call> calls;
UINT acceptLimit;  // events the fake system takes from one call
DWORD modifiersUntil;  // GetTickCount value until which Ctrl reads as held

// Milliseconds by the performance counter: GetTickCount may advance in coarse steps.
DWORD PreciseNow() {
  LARGE_INTEGER now, frequency;
  QueryPerformanceCounter(&now);
  QueryPerformanceFrequency(&frequency);
  return static_cast<DWORD>(now.QuadPart * 1000 / frequency.QuadPart);
}

bool CtrlHeld() { return static_cast<int32_t>(modifiersUntil - GetTickCount()) > 0; }

UINT WINAPI FakeSendInput(UINT count, LPINPUT events, int) {
  calls.push_back(Call{count, PreciseNow(), CtrlHeld(), std::vector<INPUT>(events, events + count)});
  return count < acceptLimit ? count : acceptLimit;
}

SHORT WINAPI FakeKeyState(int key) {
  if (key == VK_CONTROL && CtrlHeld())
    return static_cast<SHORT>(0x8000);
  return 0;
}

class BindTyping : public ::testing::Test {
 protected:
  void SetUp() override {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    std::wstring folder = std::wstring(temp) + L"kalmex-binds-win";
    CreateDirectoryW(folder.c_str(), NULL);
    BuildAppPaths(reinterpret_cast<const char16_t*>((folder + L"\\kalmex.exe").c_str()));
    CreateDirectoryW(reinterpret_cast<const wchar_t*>(appPaths.bindsFolder), NULL);
    statusLine = {};
    calls.clear();
    acceptLimit = 100000;
    modifiersUntil = GetTickCount();
    bindSendInput = FakeSendInput;
    bindKeyState = FakeKeyState;
  }
  void TearDown() override {
    bindSendInput = SendInput;
    bindKeyState = GetAsyncKeyState;
  }
  void WriteBind(int slot, const std::u16string& text) {
    char16_t path[600];
    FormatBindPath(path, 600, slot);
    ASSERT_TRUE(WriteTextFile(path, text.c_str(), false));
  }
  std::u16string Status() const { return statusLine.text; }
};

}  // namespace

TEST_F(BindTyping, BatchesWithAPauseAndTheTypedMessage) {
  WriteBind(4, std::u16string(251, u'x') + u"\r\ny\r\n");
  TypeBindText(104);
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[0].count, 502u);
  EXPECT_EQ(calls[1].count, 4u);
  EXPECT_GE(calls[1].at - calls[0].at, 7u);
  const INPUT& enter = calls[1].events[0];
  EXPECT_EQ(enter.type, static_cast<DWORD>(INPUT_KEYBOARD));
  EXPECT_EQ(enter.ki.wVk, VK_RETURN);
  EXPECT_EQ(enter.ki.dwFlags, 0u);
  EXPECT_EQ(calls[1].events[1].ki.dwFlags, static_cast<DWORD>(KEYEVENTF_KEYUP));
  const INPUT& y = calls[1].events[2];
  EXPECT_EQ(y.ki.wVk, 0);
  EXPECT_EQ(y.ki.wScan, u'y');
  EXPECT_EQ(y.ki.dwFlags, static_cast<DWORD>(KEYEVENTF_UNICODE));
  EXPECT_EQ(Status(), u"Ctrl+F4 \u2014 текст напечатан");
}

TEST_F(BindTyping, RefusedInputStopsAndIsReported) {
  WriteBind(9, std::u16string(600, u'z'));
  acceptLimit = 0;
  TypeBindText(109);
  EXPECT_EQ(calls.size(), 1u);  // nothing more is tried after the refusal
  EXPECT_EQ(Status(), u"Ctrl+F9 \u2014 Windows не дал напечатать текст");

  // Half of a pair went in: its release follows, so no key is left held.
  WriteBind(9, u"a\nb");
  calls.clear();
  acceptLimit = 3;
  TypeBindText(109);
  ASSERT_EQ(calls.size(), 2u);
  ASSERT_EQ(calls[1].count, 1u);
  EXPECT_EQ(calls[1].events[0].ki.wVk, VK_RETURN);
  EXPECT_EQ(calls[1].events[0].ki.dwFlags, static_cast<DWORD>(KEYEVENTF_KEYUP));
  EXPECT_EQ(Status(), u"Ctrl+F9 \u2014 Windows не дал напечатать текст");
}

TEST_F(BindTyping, EmptyMissingAndForeignIds) {
  char16_t path[600];
  FormatBindPath(path, 600, 12);
  DeleteFileW(reinterpret_cast<const wchar_t*>(path));
  TypeBindText(112);
  EXPECT_EQ(Status(), u"Бинд Ctrl+F12 пустой \u2014 открой «Бинды»");
  WriteBind(11, u"\r\n\n\r");
  TypeBindText(111);
  EXPECT_EQ(Status(), u"Бинд Ctrl+F11 пустой \u2014 открой «Бинды»");
  statusLine = {};
  WriteBind(1, u"text");
  TypeBindText(100);
  TypeBindText(113);
  EXPECT_TRUE(calls.empty());
  EXPECT_EQ(Status(), u"");
}

TEST_F(BindTyping, WaitsForTheModifiersAtMostTwoSeconds) {
  WriteBind(2, u"later");
  // Released after 300 ms: the text goes out once Ctrl is up, not before.
  modifiersUntil = GetTickCount() + 300;
  TypeBindText(102);
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_FALSE(calls[0].ctrlHeld);

  calls.clear();
  // Held for a minute: after its two seconds of waiting the text goes out with Ctrl still down.
  modifiersUntil = GetTickCount() + 60000;
  DWORD start = PreciseNow();
  TypeBindText(102);
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_GE(calls[0].at - start, 1970u);
  EXPECT_TRUE(calls[0].ctrlHeld);
  EXPECT_EQ(Status(), u"Ctrl+F2 \u2014 текст напечатан");
}
