#include "store/datafile.h"

#include "app/clock.h"
#include "app/paths.h"
#include "app/shell_win.h"
#include "app/textcodec.h"
#include "app/textfile.h"
#include "store/ticket.h"

namespace {
// The data file on disk holds something the store could not take in whole (a foreign file, more
// than 400 tickets, a file longer than the read limit, bytes that were not UTF-8 and so were read
// as code page 1251 — possibly broken UTF-8): copy it aside before replacing it.
bool backupPending = false;
}  // namespace

void LoadTickets() {
  int32_t n = ReadTextFile(appPaths.dataPath);
  bool doubtful = lastReadCut || lastReadEncoding == EncodingCp1251;
  TicketParseReport report = ParseTicketText(textBuffer, n, UnixNow());
  backupPending = n > 0 && (!report.recognised || !report.complete || doubtful);
}

bool SaveTickets() {
  FormatTicketText(UnixNow());
  if (!WriteTextFileDurable(appPaths.tempPath, saveBuffer)) return false;
  if (backupPending) {
    if (!CopyFileW(W(appPaths.dataPath), W(appPaths.backupPath), FALSE)) return false;
    backupPending = false;
  }
  return MoveFileExW(W(appPaths.tempPath), W(appPaths.dataPath),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}
