#include "bench_util.h"

#include <algorithm>
#include <stdio.h>

#include "app/text.h"
#include "harness.h"
#include "store/datafile.h"
#include "store/ticket.h"

std::vector<Figure> figures;

void Report(Figure f, const char* goal, bool met) {
  f.goal = goal;
  f.met = met;
  PrintFigure(f);
  figures.push_back(f);
}

void ReportAgainst(Figure f, const Figure& floor, const char* goal, bool met) {
  f.floor = floor.median;
  Report(f, goal, met);
}

// 400 tickets with full-length texts and ten-digit numbers, in all three states.
void FillFullStore() {
  ResetTicketStore();
  for (int32_t i = 0; i < maxTickets; i++) {
    Ticket& t = ticketStore.tickets[i];
    t.state = i % 3 == 0 ? StateInWork : i % 3 == 1 ? StateDone : StateClarify;
    t.order = 1000000000u + static_cast<uint32_t>(i);
    t.workedSeconds = 1000000000u + static_cast<uint32_t>(i);
    t.stateSince = t.createdAt = 1796601600u;
    t.doneAt = t.state == StateDone ? 1796605200u : 0;
    FormatText(t.number, numberUnits, u"INC-%010u-%016u", 1000000000u + i, 7u);
    for (int32_t k = 0; k < descriptionUnits - 1; k++) t.description[k] = u'а' + (k + i) % 32;
    t.description[descriptionUnits - 1] = 0;
  }
  ticketStore.ticketCount = maxTickets;
  ticketStore.orderCounter = 1000000000u + maxTickets;
}

std::string FullDataFile(int32_t count) {
  FillFullStore();
  ticketStore.ticketCount = count;
  FormatTicketText(1796601600u);
  std::wstring text(reinterpret_cast<const wchar_t*>(saveBuffer));
  return Utf8(text);
}

std::string LongBindWords() {
  const char* words[] = {"здравствуйте", "заявка", "принята", "в", "работу", "спасибо", "за", "ожидание"};
  std::wstring text;
  for (int i = 0; static_cast<int32_t>(text.size()) < 19999; i++) {
    int n = MultiByteToWideChar(CP_UTF8, 0, words[i % 8], -1, NULL, 0);
    std::wstring w(static_cast<size_t>(n - 1), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, words[i % 8], -1, &w[0], n);
    text += w + L" ";
  }
  text.resize(19999);
  return Utf8(text);
}

bool StartTimed(App& app, const wchar_t* image, const wchar_t* args, const wchar_t* className,
                double* paintedMs) {
  std::wstring exe = app.folder + L"\\" + image;
  std::wstring line = L"\"" + exe + L"\" " + args;
  std::vector<wchar_t> command(line.begin(), line.end());
  command.push_back(0);
  STARTUPINFOW si{};
  si.cb = sizeof si;
  double t0 = NowMs();
  if (!CreateProcessW(exe.c_str(), command.data(), NULL, NULL, FALSE, 0, NULL, app.folder.c_str(),
                      &si, &app.process))
    return false;
  while (!(app.main = FindAppWindow(app, className)) && NowMs() - t0 < 15000) Sleep(1);
  if (!app.main) return false;
  double ms = PaintedSince(app.main, t0);
  if (paintedMs) *paintedMs = ms;
  return true;
}

bool StartFloor(App& app, const wchar_t* args) {
  wchar_t path[MAX_PATH];
  DWORD n = GetModuleFileNameW(NULL, path, MAX_PATH);
  std::wstring exe(path, n);
  exe = exe.substr(0, exe.find_last_of(L'\\')) + L"\\kalmex_floor.exe";
  CopyFileW(exe.c_str(), (app.folder + L"\\kalmex_floor.exe").c_str(), FALSE);
  return StartTimed(app, L"kalmex_floor.exe", args, L"KalmexFloor", NULL);
}

namespace {

BOOL CALLBACK ChildDirty(HWND child, LPARAM dirty) {
  RECT r;
  if (IsWindowVisible(child) && GetUpdateRect(child, &r, FALSE)) *reinterpret_cast<bool*>(dirty) = true;
  return TRUE;
}

bool Dirty(HWND window) {
  RECT r;
  if (GetUpdateRect(window, &r, FALSE)) return true;
  bool dirty = false;
  EnumChildWindows(window, ChildDirty, reinterpret_cast<LPARAM>(&dirty));
  return dirty;
}

}  // namespace

double PaintedSince(HWND window, double t0) {
  DWORD_PTR result;
  // Under load the program can be answering the trips before it has even taken the input:
  // until the window has been seen with something to paint, three more trips make sure.
  bool seen = false;
  for (int i = 0; i < 1000; i++) {
    SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 120000, &result);
    bool dirty = Dirty(window);
    seen = seen || dirty;
    if (i >= 2 && !dirty && (seen || i >= 5)) break;
  }
  return NowMs() - t0;
}

void SendMouseAt(HWND window, int32_t x, int32_t y, DWORD flags, int32_t wheel) {
  POINT p = ScreenPoint(window, x, y);
  SendMouse(flags, p.x, p.y, wheel);
}

namespace {

std::wstring ProcRoot() {
  wchar_t root[MAX_PATH];
  DWORD n = GetEnvironmentVariableW(L"KALMEX_PROC", root, MAX_PATH);
  return n > 0 && n < MAX_PATH ? std::wstring(root, n) : std::wstring();
}

std::string ReadWhole(const std::wstring& path) {
  HANDLE f = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL,
                         OPEN_EXISTING, 0, NULL);
  if (f == INVALID_HANDLE_VALUE) return std::string();
  std::string out;
  char chunk[4096];
  DWORD n = 0;
  while (ReadFile(f, chunk, sizeof chunk, &n, NULL) && n > 0) out.append(chunk, n);
  CloseHandle(f);
  return out;
}

}  // namespace

double ProcCpuSeconds(const std::wstring& imagePath) {
  static std::wstring cachedImage, cachedStat;
  std::wstring root = ProcRoot();
  if (root.empty()) return -1;
  if (cachedImage != imagePath) {
    // Wine names the Windows image on the command line of the Linux process that runs it.
    cachedImage = imagePath;
    cachedStat.clear();
    std::string want = Utf8(imagePath);
    WIN32_FIND_DATAW found;
    HANDLE h = FindFirstFileW((root + L"\\*").c_str(), &found);
    if (h == INVALID_HANDLE_VALUE) return -1;
    do {
      if (found.cFileName[0] < L'0' || found.cFileName[0] > L'9') continue;
      std::wstring entry = root + L"\\" + found.cFileName;
      std::string command = ReadWhole(entry + L"\\cmdline");
      for (char& c : command) if (c == 0) c = ' ';
      if (command.find(want) != std::string::npos) {
        cachedStat = entry + L"\\stat";
        break;
      }
    } while (FindNextFileW(h, &found));
    FindClose(h);
  }
  if (cachedStat.empty()) return -1;
  std::string stat = ReadWhole(cachedStat);
  size_t close = stat.rfind(')');
  if (close == std::string::npos) return -1;
  // After the name: state (3), ..., utime (14), stime (15), in clock ticks of 1/100 s.
  unsigned long long utime = 0, stime = 0;
  if (sscanf(stat.c_str() + close + 2, "%*c %*d %*d %*d %*d %*d %*u %*u %*u %*u %*u %llu %llu",
             &utime, &stime) != 2)
    return -1;
  return static_cast<double>(utime + stime) / 100.0;
}

double NowMs() {
  static LARGE_INTEGER frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER c;
  QueryPerformanceCounter(&c);
  return 1000.0 * static_cast<double>(c.QuadPart) / static_cast<double>(frequency.QuadPart);
}

Figure Summarise(const std::string& name, const std::string& unit, std::vector<double> values) {
  Figure f;
  f.name = name;
  f.unit = unit;
  f.runs = static_cast<int>(values.size());
  if (values.empty()) return f;
  std::sort(values.begin(), values.end());
  auto at = [&](double q) { return values[static_cast<size_t>(q * (values.size() - 1) + 0.5)]; };
  f.median = at(0.5);
  f.low = at(0.1);
  f.high = at(0.9);
  return f;
}

void PrintFigure(const Figure& f) {
  printf("%-58s %10.3f %-6s (p10 %.3f, p90 %.3f, %d runs)", f.name.c_str(), f.median,
         f.unit.c_str(), f.low, f.high, f.runs);
  if (f.floor > 0) printf("  floor %.3f, %.2fx", f.floor, f.median / f.floor);
  printf("  goal %s%s\n", f.goal.c_str(), f.met ? "" : "  MISSED");
  fflush(stdout);
}

void WriteFiguresJson(const std::vector<Figure>& figures, const wchar_t* path) {
  FILE* out = _wfopen(path, L"wb");
  if (!out) return;
  fprintf(out, "[\n");
  for (size_t i = 0; i < figures.size(); i++) {
    const Figure& f = figures[i];
    fprintf(out,
            "  {\"name\": \"%s\", \"unit\": \"%s\", \"median\": %.4f, \"p10\": %.4f, \"p90\": %.4f, "
            "\"runs\": %d, \"floor\": %.4f, \"goal\": \"%s\", \"met\": %s}%s\n",
            f.name.c_str(), f.unit.c_str(), f.median, f.low, f.high, f.runs, f.floor,
            f.goal.c_str(), f.met ? "true" : "false", i + 1 < figures.size() ? "," : "");
  }
  fprintf(out, "]\n");
  fclose(out);
}
