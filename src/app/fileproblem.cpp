#include "app/fileproblem.h"

#include "app/text.h"

FileFailure lastFileFailure = {FileProblemNone, false, {0}};

void NoteFileFailure(int32_t problem, bool reading, const char16_t* path) {
  const char16_t* name = path;
  for (const char16_t* p = path; *p; p++)
    if (*p == u'\\' || *p == u'/') name = p + 1;
  lastFileFailure.problem = problem;
  lastFileFailure.reading = reading;
  CopyText(lastFileFailure.name, fileNameUnits, name);
}

int32_t FormatFileCause(char16_t* out, int32_t cap, const FileFailure& failure) {
  const char16_t* format;
  switch (failure.problem) {
    case FileProblemFolder: format = u"на месте файла %s лежит папка"; break;
    case FileProblemNoAccess: format = u"нет доступа к файлу %s"; break;
    case FileProblemBusy: format = u"файл %s занят другой программой"; break;
    case FileProblemDiskFull: format = u"на диске нет места для файла %s"; break;
    default:
      format = failure.reading ? u"файл %s не читается" : u"файл %s не записался";
      break;
  }
  return FormatText(out, cap, format, failure.name);
}

const char16_t* LastFileCause() {
  static char16_t cause[fileNameUnits + 48];
  FormatFileCause(cause, fileNameUnits + 48, lastFileFailure);
  return cause;
}
