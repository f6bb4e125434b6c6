// Small helpers of the benchmark: timing, statistics, output.
#pragma once
#include <windows.h>

#include <stdint.h>
#include <string>
#include <vector>

double NowMs();

struct Figure {
  std::string name;
  std::string unit;
  double median = 0, low = 0, high = 0;  // low/high: 10th and 90th percentiles
  int runs = 0;
  std::string goal;
  bool met = true;
  double floor = 0;  // median of the same interaction with the floor program, 0 when none
};

Figure Summarise(const std::string& name, const std::string& unit, std::vector<double> values);
void PrintFigure(const Figure& figure);
// Every figure reported so far, in order.
extern std::vector<Figure> figures;
// Prints the figure with its goal and keeps it for the JSON file.
void Report(Figure f, const char* goal, bool met);
// 400 tickets with full-length texts and ten-digit numbers, in all three states.
void FillFullStore();
// The board figures: painting, typing a long bind, GDI capacity.
void BenchPaint();
void BenchTyping();
// The binds window with the longest binds: opening it and switching slots.
void BenchBinds();
void BenchGdi();

// The figure with the median of its floor, measured in the same run: printed as a ratio too.
void ReportAgainst(Figure f, const Figure& floor, const char* goal, bool met);

// The data file of a full store (count tickets of the 400 filled, full-length texts), UTF-8.
std::string FullDataFile(int32_t count = 400);

// The longest bind the program keeps (19,999 units) of ordinary words, UTF-8.
std::string LongBindWords();

// The floor program (kalmex_floor.exe) started in the app's folder with the arguments; its
// window in app.main. See bench/floor/floor_win.cpp.
struct App;
bool StartFloor(App& app, const wchar_t* args);
// Starts the image of the app's folder and waits for its window of the class; paintedMs, when
// given, gets the time from CreateProcess to that window's first completed paint.
bool StartTimed(App& app, const wchar_t* image, const wchar_t* args, const wchar_t* className,
                double* paintedMs);
constexpr UINT floorSetRect = WM_APP + 1, floorSetStyle = WM_APP + 2, floorSetSize = WM_APP + 3;
constexpr UINT floorSetEdit = WM_APP + 4, floorFillEdit = WM_APP + 5;
constexpr UINT floorAddInput = WM_APP + 6, floorAddStretchingInput = WM_APP + 7;
constexpr UINT floorTakeAdds = WM_APP + 8;
// The floor opens a window of the style, ex-style, place and size of the program's window on
// its next click.
void ArmFloor(const App& floor, HWND like);
// A click on the floor's window to its opened window's completed paint, in ms (-1: none opened);
// the window is closed again, or kept open in *kept when given.
double FloorOpening(const App& floor, HWND* kept = nullptr);

// Waits until the window's thread has taken what was sent to it and the window and its children
// have nothing left to paint: three trips through its loop (paint comes after every other
// message), six when nothing to paint was ever seen, then more until no update region is left.
// Returns the time since t0.
double PaintedSince(HWND window, double t0);
// One mouse event at a client point of the window, without waiting.
void SendMouseAt(HWND window, int32_t x, int32_t y, DWORD flags, int32_t wheel = 0);

// CPU seconds (user + system) of the Linux process that runs the Windows program with this
// image path, read from /proc (the folder KALMEX_PROC names, as Wine sees it); -1 when unknown.
double ProcCpuSeconds(const std::wstring& imagePath);
// The rest of the benchmark: every interaction a user waits for, against the floor.
void BenchInteractions();
void BenchWindows();
void BenchMemoryAndIdle();

void WriteFiguresJson(const std::vector<Figure>& figures, const wchar_t* path);
