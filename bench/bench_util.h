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
void WriteFiguresJson(const std::vector<Figure>& figures, const wchar_t* path);
