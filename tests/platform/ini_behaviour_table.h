#pragma once

#include <cstdint>
#include <vector>

// How the private-profile functions must behave, as a table of cases that runs against any
// ProfileStore: the host's own INI files here, Windows' real functions under Wine in the end-to-end
// tests. Only what Windows does the same way everywhere is in it.

namespace brontavel::ini_cases {

struct Step {
  enum class Kind { ReadText, ReadInt, Write, FileHasLine } kind;
  const char* section = "";
  const char* key = "";
  const char* text = "";  // ReadText: default; Write: value; FileHasLine: the line
  int size = 200;         // ReadText: buffer size
  std::int32_t intDefault = 0;
  const char* expectText = "";
  std::int32_t expectInt = 0;
};

inline Step ReadText(const char* section, const char* key, const char* defaultText, const char* expected,
                     int size = 200) {
  return {Step::Kind::ReadText, section, key, defaultText, size, 0, expected, 0};
}
inline Step ReadInt(const char* section, const char* key, std::int32_t defaultValue, std::int32_t expected) {
  return {Step::Kind::ReadInt, section, key, "", 0, defaultValue, "", expected};
}
inline Step Write(const char* section, const char* key, const char* value) {
  return {Step::Kind::Write, section, key, value};
}
inline Step FileHasLine(const char* line) { return {Step::Kind::FileHasLine, "", "", line}; }

struct Case {
  const char* name;
  const char* initial;  // the file's bytes before the first step; nullptr: no file
  std::vector<Step> steps;
};

inline const std::vector<Case>& AllCases() {
  static const std::vector<Case> cases = {
      {"MissingFileGivesDefaults",
       nullptr,
       {ReadText("Options", "MainClass", "STUDIO", "STUDIO"), ReadInt("Options", "RepeatRate", 100, 100),
        ReadText("Options", "MainClass", "trailing   ", "trailing")}},
      {"TrimmingAndCase",
       "  [Options]  \r\n  RepeatRate  =  250  \r\nmainclass=\tStudio3\t\r\n",
       {ReadInt("options", "repeatrate", 100, 250), ReadText("OPTIONS", "MainClass", "x", "Studio3"),
        ReadText(" Options ", " MAINCLASS ", "x", "Studio3")}},
      {"LineEndingsAndEndOfFileMark",
       "[Options]\nC1=4\n\nC2=5\x1a",
       {ReadInt("Options", "C1", 0, 4), ReadInt("Options", "C2", 0, 5)}},
      {"EmptyValueIsAnEmptyTextButNoNumber",
       "[Options]\r\nPEClass=\r\nMBClass\r\nBlank=   \r\n",
       {ReadText("Options", "PEClass", "BaseWindow_RootWnd", ""), ReadText("Options", "MBClass", "STUDIO", "STUDIO"),
        ReadText("Options", "Blank", "x", ""), ReadInt("Options", "PEClass", 7, 7), ReadInt("Options", "Blank", 7, 7),
        ReadInt("Options", "MBClass", 7, 7)}},
      {"MatchingQuotesAreRemoved",
       "[Q]\r\nDouble=\"quoted text\"\r\nSingle='single'\r\nMixed=\"mixed'\r\nOne=\"\r\nNumber=\"42\"\r\n",
       {ReadText("Q", "Double", "", "quoted text"), ReadText("Q", "Single", "", "single"),
        ReadText("Q", "Mixed", "", "\"mixed'"), ReadText("Q", "One", "", "\""), ReadInt("Q", "Number", 0, 42)}},
      {"TextIsCutToTheBuffer",
       "[Options]\r\nMainClass=ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmn\r\n",
       {ReadText("Options", "MainClass", "", "ABCDEFGHIJKLMNOPQRSTUVWXYZabc", 30),
        ReadText("Options", "MainClass", "", "ABCD", 5), ReadText("Options", "MainClass", "", "", 1),
        ReadText("Options", "Missing", "DEFAULT", "DEF", 4)}},
      {"IntegerValues",
       "[N]\r\nLeadingZero=08\r\nNegative=-5\r\nPlus=+5\r\nTrailing=12abc\r\nWord=abc\r\nSign=-\r\n"
       "Wrap=4294967297\r\nMin=2147483648\r\nSpaced=- 7\r\nHex=0x10\r\nUpperHex=0X1A\r\nZeroes=0150\r\n"
       "Long=123456789012345678901234567890123\r\n",
       {ReadInt("N", "LeadingZero", 99, 8), ReadInt("N", "Negative", 99, -5), ReadInt("N", "Plus", 99, 5),
        ReadInt("N", "Trailing", 99, 12), ReadInt("N", "Word", 99, 0), ReadInt("N", "Sign", 99, 0),
        ReadInt("N", "Wrap", 99, 1), ReadInt("N", "Min", 99, INT32_MIN), ReadInt("N", "Spaced", 99, 0),
        ReadInt("N", "Hex", 99, 16), ReadInt("N", "UpperHex", 99, 0), ReadInt("N", "Zeroes", 99, 150),
        ReadInt("N", "Long", 99, 1849262357), ReadInt("N", "Missing", -3, -3)}},
      {"FirstSectionAndFirstKeyWin",
       "C1=9\r\n[Options]\r\nC1=1\r\nc1=2\r\n[Other]\r\nC2=8\r\n[options]\r\nC1=3\r\nC2=4\r\n",
       {ReadInt("Options", "C1", 0, 1), ReadInt("Options", "C2", 0, 0), ReadInt("Other", "C1", 0, 0)}},
      {"SectionNameEndsAtTheLastBracket",
       "[Options]junk\r\nC1=4\r\n[Broken\r\nC2=5\r\n",
       {ReadInt("Options", "C1", 0, 4), ReadInt("Options", "C2", 0, 5)}},
      {"WriteCreatesTheFile",
       nullptr,
       {Write("Options", "C1", "5"), ReadText("Options", "C1", "", "5"), FileHasLine("[Options]"),
        FileHasLine("C1=5")}},
      {"WriteKeepsEveryOtherLine",
       "; Brontavel settings\r\n[Options]\r\n; bindings\r\nC1=5\r\nC2=4\r\n\r\n[Shortcuts]\r\nS1=C:\\Music\\a.mp3\r\n",
       {Write("Options", "C1", "7"), Write("options", "C16", "1"), Write("Extra", "Key", "value"),
        ReadInt("Options", "C1", 0, 7), ReadInt("Options", "C2", 0, 4), ReadInt("Options", "C16", 0, 1),
        ReadText("Shortcuts", "S1", "", "C:\\Music\\a.mp3"), ReadText("Extra", "Key", "", "value"),
        FileHasLine("; Brontavel settings"), FileHasLine("; bindings"), FileHasLine("C1=7")}},
      {"WriteReplacesTheFirstKeyOfAnyCase",
       "[Options]\r\nrepeatrate=1\r\nRepeatRate=2\r\n",
       {Write("Options", "RepeatRate", "0150"), FileHasLine("repeatrate=0150"), FileHasLine("RepeatRate=2"),
        ReadInt("Options", "RepeatRate", 0, 150), ReadText("Options", "RepeatRate", "", "0150")}},
      {"WrittenValuesLoseLeadingSpaces",
       "[Options]\r\n",
       {Write("Options", "Padded", "  x y "), ReadText("Options", "Padded", "", "x y"), Write("Options", "Empty", ""),
        ReadText("Options", "Empty", "default", ""), ReadInt("Options", "Empty", 11, 11)}},
  };
  return cases;
}

}  // namespace brontavel::ini_cases
