#include "bench_util.h"

#include <algorithm>
#include <stdio.h>

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
  printf("%-58s %10.3f %-6s (p10 %.3f, p90 %.3f, %d runs)  goal %s%s\n", f.name.c_str(), f.median,
         f.unit.c_str(), f.low, f.high, f.runs, f.goal.c_str(), f.met ? "" : "  MISSED");
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
            "\"runs\": %d, \"goal\": \"%s\", \"met\": %s}%s\n",
            f.name.c_str(), f.unit.c_str(), f.median, f.low, f.high, f.runs, f.goal.c_str(),
            f.met ? "true" : "false", i + 1 < figures.size() ? "," : "");
  }
  fprintf(out, "]\n");
  fclose(out);
}
