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

void WriteFiguresJson(const std::vector<Figure>& figures, const wchar_t* path);
