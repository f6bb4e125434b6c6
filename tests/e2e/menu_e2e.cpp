// The card's popup menu of the real program, by ticket state.
//
// Another process's menu cannot be read under Wine (MN_GETHMENU hands out a handle whose items stay
// in the owning process), so the test shows a menu of its own with the expected items at the same
// screen point and compares the two windows pixel for pixel: equal images mean equal texts, order
// and separators. The commands behind the items are then walked with the keyboard.
#include <gtest/gtest.h>

#include <string>

#include "app/geometry.h"
#include "app/text.h"
#include "board/layout.h"
#include "board/ui_state.h"
#include "harness.h"
#include "store/datafile.h"
#include "store/ticket.h"

namespace {

// nullptr stands for the separator.
constexpr int itemCount = 7;
using MenuTexts = const wchar_t* const[itemCount];
MenuTexts inWorkItems = {L"На уточнение", L"Выполнено", L"Изменить…", L"Копировать номер",
                         L"Взять номер и описание в поля ввода", nullptr, L"Удалить"};
MenuTexts clarifyItems = {L"Вернуть в работу", L"Выполнено", L"Изменить…", L"Копировать номер",
                          L"Взять номер и описание в поля ввода", nullptr, L"Удалить"};
MenuTexts doneItems = {L"Вернуть в работу", L"На уточнение", L"Изменить…", L"Копировать номер",
                       L"Взять номер и описание в поля ввода", nullptr, L"Удалить"};
// In-work items with the first two swapped: must not pass for the real menu.
MenuTexts swappedItems = {L"Выполнено", L"На уточнение", L"Изменить…", L"Копировать номер",
                          L"Взять номер и описание в поля ввода", nullptr, L"Удалить"};


std::string DataFile(const App& app) { return ReadAppFile(app, L"zoltex_data.txt"); }

// A point on the body of the card with the number, in client coordinates; (-1, -1) if not shown.
POINT CardPoint(const App& app, const char16_t* number) {
  LoadBoardLayout(app, DataFile(app));
  for (int32_t k = 0; k < 3; k++)
    for (int32_t i = 0; i < boardLayout.columnCount[k]; i++)
      if (TextEquals(ticketStore.tickets[boardLayout.columnTickets[k][i]].number, number))
        return {boardLayout.listRect[k].left + s(40), CardTop(k, i) + s(60)};
  return {-1, -1};
}

// The state digit of the ticket's line in the data file, or 0 when the line is missing.
char StateOf(const App& app, const char* number) {
  std::string data = DataFile(app);
  size_t at = data.find(std::string("|") + number + "|");
  if (at == std::string::npos) return 0;
  size_t line = data.rfind('\n', at);
  return line == std::string::npos ? 0 : data[line + 1];
}

HWND VisibleMenu(DWORD pid) {
  App owner;
  owner.process.dwProcessId = pid;
  return FindAppWindow(owner, L"#32768");
}

// The menu's picture once it has settled.
struct MenuShot {
  Settling settling;
  Pixels image;
  DWORD start;
};
MenuShot* ownShot;

void CALLBACK OwnMenuTick(HWND, UINT, UINT_PTR, DWORD) {
  HWND menu = VisibleMenu(GetCurrentProcessId());
  if (menu) {
    UpdateWindow(menu);
    if (ownShot->settling.Take(CaptureWindow(menu))) {
      ownShot->image = ownShot->settling.last;
      EndMenu();
      return;
    }
  }
  if (GetTickCount() - ownShot->start > 5000) EndMenu();
}

// Shows a popup menu with the texts, made as the program makes its own, at the screen point, and
// returns its picture (empty if it never showed).
Pixels OwnMenuImage(POINT at, MenuTexts texts) {
  HWND owner = CreateWindowExW(WS_EX_TOOLWINDOW, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, NULL, NULL,
                               GetModuleHandleW(NULL), NULL);
  HMENU menu = CreatePopupMenu();
  for (int i = 0; i < itemCount; i++) {
    if (!texts[i]) AppendMenuW(menu, MF_SEPARATOR, 0, NULL);
    else AppendMenuW(menu, MF_STRING, 100 + i, texts[i]);
  }
  MenuShot shot;
  shot.start = GetTickCount();
  ownShot = &shot;
  SetTimer(owner, 1, 50, OwnMenuTick);
  TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x, at.y, 0, owner, NULL);
  KillTimer(owner, 1);
  ownShot = nullptr;
  DestroyMenu(menu);
  DestroyWindow(owner);
  return shot.image;
}

bool SameImage(const Pixels& a, const Pixels& b) {
  return a.width == b.width && a.height == b.height && a.data == b.data;
}

bool MenuGone(const App& app) { return VisibleMenu(app.process.dwProcessId) == NULL; }

// Opens the card's menu with a right click and waits until it is painted and steady.
HWND OpenCardMenu(const App& app, POINT card) {
  RightClick(app.main, card.x, card.y);
  return WaitForPaintedMenu(app);
}

void DismissMenu(const App& app) {
  WaitFor([&] {
    if (MenuGone(app)) return true;
    PressKey(VK_ESCAPE);
    return false;
  });
}

// Opens the card's menu and picks the item `downs` presses of Down from the top.
bool ChooseItem(const App& app, const char16_t* number, int downs) {
  POINT card = CardPoint(app, number);
  if (card.x < 0 || !BringToFront(app.main)) return false;
  if (!OpenCardMenu(app, card)) return false;
  for (int i = 0; i < downs; i++) PressKey(VK_DOWN);
  PressKey(VK_RETURN);
  return WaitFor([&] { return MenuGone(app); });
}

}  // namespace

TEST(CardMenu, ItemsByStateAsDrawnOnTheScreen) {
  App app = MakeApp("menu-items");
  WriteAppFile(app, L"zoltex_data.txt", threeStates);
  ASSERT_TRUE(StartApp(app));
  ASSERT_TRUE(BringToFront(app.main));
  struct Case {
    const char16_t* number;
    MenuTexts& texts;
    const char* name;
  };
  const Case cases[] = {{u"A-1", inWorkItems, "menu-in-work"},
                        {u"B-2", clarifyItems, "menu-on-clarification"},
                        {u"C-3", doneItems, "menu-done"}};
  Pixels expected[3];
  for (int c = 0; c < 3; c++) {
    SCOPED_TRACE(cases[c].name);
    POINT card = CardPoint(app, cases[c].number);
    ASSERT_GE(card.x, 0);
    POINT screen = ScreenPoint(app.main, card.x, card.y);
    MoveMouseTo(app.main, card.x, card.y);
    expected[c] = OwnMenuImage(screen, cases[c].texts);
    ASSERT_FALSE(expected[c].data.empty()) << "the test's own menu did not show";

    HWND menu = OpenCardMenu(app, card);
    ASSERT_TRUE(menu != NULL) << "no menu on the card";
    RECT r;
    GetWindowRect(menu, &r);
    EXPECT_EQ(r.left, screen.x);  // at the cursor
    EXPECT_EQ(r.top, screen.y);
    Pixels shown;
    bool same = WaitFor([&] { return SameImage(shown = CaptureWindow(menu), expected[c]); });
    SaveScreenshot(shown, cases[c].name);
    if (!same) SaveScreenshot(expected[c], (std::string(cases[c].name) + "-expected").c_str());
    EXPECT_TRUE(same) << "the menu differs from the expected items; see the screenshots";
    if (c == 0) {
      // The comparison tells an order apart: the first two items swapped do not match.
      Pixels swapped = OwnMenuImage(screen, swappedItems);
      ASSERT_FALSE(swapped.data.empty());
      EXPECT_FALSE(SameImage(swapped, shown));
    }
    DismissMenu(app);
    ASSERT_TRUE(MenuGone(app));
    Settle(app);
  }
  // Each state has its own menu.
  EXPECT_FALSE(SameImage(expected[0], expected[1]));
  EXPECT_FALSE(SameImage(expected[1], expected[2]));
  // Dismissing the menus changed nothing.
  EXPECT_EQ(CloseApp(app), 0);
  EXPECT_EQ(StateOf(app, "A-1"), '0');
  EXPECT_EQ(StateOf(app, "B-2"), '2');
  EXPECT_EQ(StateOf(app, "C-3"), '1');
}

TEST(CardMenu, EveryStateCommandEditAndDeleteReachTheirTicket) {
  App app = MakeApp("menu-commands");
  WriteAppFile(app, L"zoltex_data.txt", threeStates);
  ASSERT_TRUE(StartApp(app));
  // In work: "На уточнение".
  ASSERT_TRUE(ChooseItem(app, u"A-1", 1));
  EXPECT_TRUE(WaitFor([&] { return StateOf(app, "A-1") == '2'; }));
  // On clarification: "Вернуть в работу" and "Выполнено".
  ASSERT_TRUE(ChooseItem(app, u"A-1", 1));
  EXPECT_TRUE(WaitFor([&] { return StateOf(app, "A-1") == '0'; }));
  ASSERT_TRUE(ChooseItem(app, u"B-2", 2));
  EXPECT_TRUE(WaitFor([&] { return StateOf(app, "B-2") == '1'; }));
  // Done: "Вернуть в работу" and "На уточнение".
  ASSERT_TRUE(ChooseItem(app, u"C-3", 1));
  EXPECT_TRUE(WaitFor([&] { return StateOf(app, "C-3") == '0'; }));
  ASSERT_TRUE(ChooseItem(app, u"B-2", 2));
  EXPECT_TRUE(WaitFor([&] { return StateOf(app, "B-2") == '2'; }));
  EXPECT_EQ(StateOf(app, "A-1"), '0');  // the others stayed where they were

  // "Изменить…" opens the editor on that ticket.
  ASSERT_TRUE(ChooseItem(app, u"B-2", 3));
  HWND editor = NULL;
  ASSERT_TRUE((editor = WaitForWindow(app, L"ZoltexEdit")));
  EXPECT_EQ(RemoteControlText(GetDlgItem(editor, 301)), L"B-2");
  PostMessageW(editor, WM_CLOSE, 0, 0);
  ASSERT_TRUE(WaitFor([&] { return !IsWindow(editor); }));
  Settle(app);

  // "Удалить", past the separator, asks first; yes removes only that ticket.
  ASSERT_TRUE(ChooseItem(app, u"C-3", 6));
  HWND box = NULL;
  ASSERT_TRUE((box = WaitForWindow(app, L"#32770")));
  PostMessageW(box, WM_COMMAND, IDYES, 0);
  EXPECT_TRUE(WaitFor([&] { return StateOf(app, "C-3") == 0; }));
  EXPECT_EQ(StateOf(app, "A-1"), '0');
  EXPECT_EQ(StateOf(app, "B-2"), '2');
  EXPECT_EQ(CloseApp(app), 0);
}
