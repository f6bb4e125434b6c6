// KALMEX benchmark: what the program costs with a full store of 400 tickets at 1280 x 800, 96 DPI.
// Prints one line per figure (median, 10th and 90th percentile) and writes bench-results.json.
#include <windows.h>

#include <stdio.h>

#include <string>
#include <vector>

#include "app/paths.h"
#include "app/text.h"
#include "app/textfile.h"
#include "bench_util.h"
#include "harness.h"
#include "store/datafile.h"
#include "store/ticket.h"

namespace {

std::wstring TempFolder(const wchar_t* name) {
  wchar_t temp[MAX_PATH], path[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  swprintf(path, MAX_PATH, L"%ls%ls-%lu", temp, name, GetCurrentProcessId());
  CreateDirectoryW(path, NULL);
  return path;
}

void BenchSaveAndLoad() {
  std::wstring folder = TempFolder(L"kalmex-bench-files");
  BuildAppPaths(reinterpret_cast<const char16_t*>((folder + L"\\kalmex.exe").c_str()));
  FillFullStore();
  std::vector<double> save, load;
  for (int i = 0; i < 200; i++) {
    double t0 = NowMs();
    bool ok = SaveTickets();
    save.push_back(NowMs() - t0);
    if (!ok) printf("SaveTickets failed\n");
  }
  for (int i = 0; i < 200; i++) {
    ResetTicketStore();
    double t0 = NowMs();
    LoadTickets();
    load.push_back(NowMs() - t0);
  }
  if (ticketStore.ticketCount != maxTickets) printf("LoadTickets loaded %d tickets\n", ticketStore.ticketCount);
  Figure s = Summarise("SaveTickets, 400 tickets (temporary file, flush, replace)", "ms", save);
  Report(s, "<= 5 ms", s.median <= 5);
  Figure l = Summarise("LoadTickets, 400-ticket file", "ms", load);
  Report(l, "<= 2 ms", l.median <= 2);
}

App StartFullBoard(const char* name) {
  App app = MakeApp(name);
  WriteAppFile(app, L"zoltex_data.txt", FullDataFile());
  return app;
}

// Start to the first completed paint, against the floor window's start, rounds alternating.
void BenchStart() {
  std::vector<double> start, floor;
  for (int i = 0; i < 15; i++) {
    App app = StartFullBoard("bench-start");
    double ms = 0;
    if (!StartTimed(app, L"kalmex.exe", L"", L"ZoltexMain", &ms)) {
      printf("the program did not start\n");
      return;
    }
    start.push_back(ms);
    CloseApp(app);
    App bare = MakeApp("bench-start-floor");
    if (!StartFloor(bare, L"")) {
      printf("the floor did not start\n");
      return;
    }
    CloseApp(bare);
    if (StartTimed(bare, L"kalmex_floor.exe", L"", L"KalmexFloor", &ms)) floor.push_back(ms);
    CloseApp(bare);
  }
  Figure b = Summarise("start of the floor window to its first completed paint", "ms", floor);
  Figure f = Summarise("start of the process to the first completed paint", "ms", start);
  Report(b, "(the floor)", true);
  ReportAgainst(f, b, "<= 150 ms", f.median <= 150);
}

void BenchExeSize() {
  wchar_t path[MAX_PATH];
  DWORD n = GetModuleFileNameW(NULL, path, MAX_PATH);
  std::wstring exe(path, n);
  exe = exe.substr(0, exe.find_last_of(L'\\')) + L"\\kalmex.exe";
  WIN32_FILE_ATTRIBUTE_DATA data{};
  GetFileAttributesExW(exe.c_str(), GetFileExInfoStandard, &data);
  Figure f = Summarise("size of kalmex.exe", "KB", {static_cast<double>(data.nFileSizeLow) / 1024.0});
  Report(f, "<= 300 KB", f.median <= 300);
}

// The second argument, when given, names the groups to run (for example "paint,gdi").
bool Wanted(int argc, wchar_t** argv, const wchar_t* group) {
  return argc <= 2 || wcsstr(argv[2], group) != NULL;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const wchar_t* out = argc > 1 ? argv[1] : L"bench-results.json";
  if (Wanted(argc, argv, L"size")) BenchExeSize();
  if (Wanted(argc, argv, L"files")) BenchSaveAndLoad();
  if (Wanted(argc, argv, L"paint")) BenchPaint();
  if (Wanted(argc, argv, L"start")) BenchStart();
  if (Wanted(argc, argv, L"memory")) BenchMemoryAndIdle();
  if (Wanted(argc, argv, L"windows")) BenchWindows();
  if (Wanted(argc, argv, L"interactions")) BenchInteractions();
  if (Wanted(argc, argv, L"typing")) BenchTyping();
  if (Wanted(argc, argv, L"binds")) BenchBinds();
  if (Wanted(argc, argv, L"gdi")) BenchGdi();
  WriteFiguresJson(figures, out);
  int missed = 0;
  for (const Figure& f : figures) missed += f.met ? 0 : 1;
  printf("%d figures, %d missed their goal\n", static_cast<int>(figures.size()), missed);
  return 0;
}
