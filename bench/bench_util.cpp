#include "bench_util.h"

#include <algorithm>
#include <stdio.h>

#include "app/text.h"
#include "store/ticket.h"

std::vector<Figure> figures;

void Report(Figure f, const char* goal, bool met) {
  f.goal = goal;
  f.met = met;
  PrintFigure(f);
  figures.push_back(f);
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
