// The banner, the version and the usage text.
#include "output/output.h"
#include "run/app_info.h"
#include "run/run.h"
#include "support/support.h"

std::u16string BuildBanner() {
  const AppInfo info = ReadAppInfo();
  std::u16string version;
  RequireSuccess(CurrentSupport().asFormatVersion(info.Major, info.Minor, info.Revision, version),
                 "asFormatVersion");
  return info.Title + u", ver. " + version + u"\r\n" + info.LegalCopyright;
}

void ShowUsage() {
  const AppInfo info = ReadAppInfo();
  // Continuation lines start under "[/NoLogo]": the name, "[.EXE]" and a space.
  const std::u16string pad(info.ExeBaseName.size() + 7, u' ');
  std::u16string text = BuildBanner();
  text += u"\r\n\r\n";
  text += info.ExeBaseName;
  text += u"[.EXE] [/NoLogo] [/LCase] [/NoBraces] [/Unicode] [/Clip]\r\n";
  text += pad;
  text += u"[/1 | /2 | /3 | /4 | /5 | /6 | /7 | /8 | /9]\r\n";
  text += pad;
  text += u"[/? | /Help]";
  WriteToConsole(text);
}

void ShowVersion() { WriteToConsole(BuildBanner() + u"\r\n"); }
