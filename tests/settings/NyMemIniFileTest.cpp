#include "settings/NyMemIniFile.h"

#include <gtest/gtest.h>

#include <memory>

#include "settings/ErrorReport.h"
#include "tests/settings/TestFolders.h"

namespace corvane {
namespace {

using testing::ReadFile;
using testing::TempFolder;
using testing::WriteFile;

// A store read from a file holding the text; it does not write itself back.
std::unique_ptr<TNyMemIniFile> Load(const TempFolder& folder, const std::string& text) {
    WriteFile(folder / "config.ini", text);
    auto ini = std::make_unique<TNyMemIniFile>(folder / "config.ini");
    ini->SetAutoSave(false);
    return ini;
}

TEST(TNyMemIniFile, ReadingRules) {
    const struct {
        const char* what;
        std::string text;
        const char* section;
        const char* key;
        std::optional<std::string> expected;  // nothing: the lookup finds no entry
    } cases[] = {
        {"comment, capitalised section, blanks around name, '=' and value",
         "; settings of the slideshow\r\n[FRMOPTIONS]\r\n   seStep.Value   =   7   \r\n",
         "frmOptions", "seStep.Value", "7"},
        {"LF line ends", "[s]\nk=1\nj=2\n", "s", "j", "2"},
        {"CR line ends", "[s]\rk=1\rj=2", "s", "j", "2"},
        {"mixed line ends and empty lines", "[s]\r\n\r\n\n\rk=1\n\r\nj=2\r", "s", "j", "2"},
        {"tabs and control characters trimmed", "\t[\x01 s \t]\x02\n\x03k\t=\tv\x1f\n", "s", "k",
         "v"},
        {"no line end at the end", "[s]\nk=v", "s", "k", "v"},
        {"byte-order mark skipped", "\xEF\xBB\xBF[s]\nk=v\n", "s", "k", "v"},
        {"lines before the first section dropped", "k=1\n[s]\n", "s", "k", std::nullopt},
        {"names without regard to case", "[S]\nKEY=1\n", "s", "key", "1"},
        {"first of two entries", "[s]\nk=1\nK=2\n", "s", "k", "1"},
        {"first of two sections", "[s]\nj=1\n[S]\nk=2\n", "s", "k", std::nullopt},
        {"value holding '='", "[s]\nk=a=b\n", "s", "k", "a=b"},
        {"empty value", "[s]\nk=\n", "s", "k", ""},
        {"raw entry found by no name", "[s]\nk\n", "s", "k", std::nullopt},
        {"indented comment", "[s]\n  ;k=1\n", "s", ";k", std::nullopt},
        {"empty section name", "[]\nk=1\n", "", "k", "1"},
        {"'[' ... ']' with '=' inside names a section", "[a=b]\nk=1\n", "a=b", "k", "1"},
        {"zero byte inside a value", std::string("[s]\nk=a\0b\n", 10), "s", "k",
         std::string("a\0b", 3)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TempFolder folder;
        auto ini = Load(folder, c.text);
        EXPECT_EQ(ini->ValueExists(c.section, c.key), c.expected.has_value());
        EXPECT_EQ(ini->ReadString(c.section, c.key, "<default>"), c.expected.value_or("<default>"));
    }
}

TEST(TNyMemIniFile, TypedReadsGiveTheDefaultForTextThatDoesNotConvert) {
    TempFolder folder;
    auto ini = Load(folder,
                    "[v]\nstep=7\nhex=0x1F\ndollar=$10\nletters=abc\nzero=0\ntwo=2\nfloat=2.5\n"
                    "whole=4\n");
    const struct {
        const char* key;
        int32_t integer;  // GetInt with the default 99
        bool flag;        // GetBool with the default true
        double number;    // ReadFloat with the default -1
    } cases[] = {
        {"step", 7, true, 7},      {"hex", 31, true, -1}, {"dollar", 16, true, -1},
        {"letters", 99, true, -1}, {"zero", 0, false, 0}, {"two", 2, true, 2},
        {"float", 99, true, 2.5},  {"whole", 4, true, 4}, {"missing", 99, true, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.key);
        EXPECT_EQ(ini->GetInt(c.key, 99, "v"), c.integer);
        EXPECT_EQ(ini->GetBool(c.key, true, "v"), c.flag);
        EXPECT_EQ(ini->ReadFloat("v", c.key, -1), c.number);
    }
    EXPECT_FALSE(ini->GetBool("letters", false, "v"));
    EXPECT_FALSE(ini->GetBool("missing", false, "V"));
}

TEST(TNyMemIniFile, WritesReplaceInPlaceAppendToTheSectionAndAddSectionsAtTheEnd) {
    TempFolder folder;
    auto ini = Load(folder, "; layout is not kept\n[a]\nx=1\nraw line\ny=2\n\n[b]\nz=3\n");
    ini->WriteString("A", "X", "9");  // replaced where it stands
    ini->WriteInteger("a", "w", -5);  // added at the end of its section
    ini->WriteBool("b", "flag", true);
    ini->WriteFloat("c", "step", 4);  // a new section at the end
    ini->WriteFloat("c", "ratio", 0.25);
    EXPECT_EQ(ini->Text(),
              "[a]\nx=9\nraw line\ny=2\nw=-5\n\n"
              "[b]\nz=3\nflag=1\n\n"
              "[c]\nstep=4\nratio=0.25\n\n");
}

// A file with every kind of entry survives a write and a second read: the second write gives the
// same text, and every read gives the same value.
TEST(TNyMemIniFile, WriteAndReadBackEveryKindOfEntry) {
    TempFolder folder;
    const std::string original =
        "junk before any section\n[frmOptions]\r\n; comment\r\n  seStep.Value = 7 \r\n"
        "ccbBorderColor.SelectedColor=0xFF0000\r\nchkCenter.Checked=1\r\nraw entry\r\n"
        "empty=\r\nseStep.value=8\r\n[PicsChecked]\n0=2\n1=0\n[]\n=nameless\n[frmOptions]\n"
        "second=1\n";
    {
        WriteFile(folder / "config.ini", original);
        auto ini = std::make_unique<TNyMemIniFile>(folder / "config.ini");
        ini->WriteInteger("frmOptions", "rgAutoPic.ItemIndex", 0);
        ini->WriteFloat("frmOptions", "seDelay.Value", 12.5);
        ini->WriteInteger("frmOptions", "ccbBgColor.SelectedColor", int32_t(0xFF000005u));
        ini->WriteString("EffsChecked", "0", "171");
    }  // AutoSave writes the file
    const std::string written = ReadFile(folder / "config.ini");
    EXPECT_EQ(written,
              "[frmOptions]\nseStep.Value=7\nccbBorderColor.SelectedColor=0xFF0000\n"
              "chkCenter.Checked=1\nraw entry\nempty=\nseStep.value=8\nrgAutoPic.ItemIndex=0\n"
              "seDelay.Value=12.5\nccbBgColor.SelectedColor=-16777211\n\n"
              "[PicsChecked]\n0=2\n1=0\n\n[]\n=nameless\n\n[frmOptions]\nsecond=1\n\n"
              "[EffsChecked]\n0=171\n\n");

    TNyMemIniFile again(folder / "config.ini");
    again.SetAutoSave(false);
    EXPECT_EQ(again.Text(), written);
    EXPECT_EQ(again.GetInt("seStep.Value", 0, "frmOptions"), 7);
    EXPECT_EQ(again.GetInt("ccbBorderColor.SelectedColor", 0, "frmOptions"), 0xFF0000);
    EXPECT_EQ(again.GetInt("ccbBgColor.SelectedColor", 0, "frmOptions"), int32_t(0xFF000005u));
    EXPECT_TRUE(again.GetBool("chkCenter.Checked", false, "frmOptions"));
    EXPECT_EQ(again.ReadFloat("frmOptions", "seDelay.Value", 0), 12.5);
    EXPECT_EQ(again.ReadString("frmOptions", "empty", "<default>"), "");
    EXPECT_EQ(again.ReadString("", "", "<default>"), "nameless");
    EXPECT_EQ(again.ReadString("frmOptions", "second", "<default>"), "<default>");
    EXPECT_EQ(
        again.ReadSection("frmOptions"),
        (std::vector<std::string>{
            "seStep.Value", "ccbBorderColor.SelectedColor", "chkCenter.Checked", "empty",
            "seStep.value", "rgAutoPic.ItemIndex", "seDelay.Value", "ccbBgColor.SelectedColor"}));
    EXPECT_EQ(again.ReadSections(),
              (std::vector<std::string>{"frmOptions", "PicsChecked", "", "EffsChecked"}));
}

TEST(TNyMemIniFile, WriteListAndReadList) {
    TempFolder folder;
    auto ini = Load(folder,
                    "[PicsChecked]\n0=1\n1=2\n2=3\n[frmOptions]\nk=1\n[picschecked]\n0=7\n"
                    "[EffsChecked]\nraw\n0=5\n");
    ini->WriteList("PicsChecked", {"5", "9"});
    // Every section of the name goes, and the list comes back at the end of the file.
    EXPECT_EQ(ini->Text(),
              "[frmOptions]\nk=1\n\n[EffsChecked]\nraw\n0=5\n\n[PicsChecked]\n0=5\n1=9\n\n");
    std::vector<std::string> list = {"stale"};
    ini->ReadList("PicsChecked", &list);
    EXPECT_EQ(list, (std::vector<std::string>{"5", "9"}));
    ini->ReadList("EffsChecked", &list);  // a raw entry gives its text less its first character
    EXPECT_EQ(list, (std::vector<std::string>{"aw", "5"}));
    ini->ReadList("missing", &list);
    EXPECT_TRUE(list.empty());
    ini->ReadList("PicsChecked", nullptr);

    ini->WriteList("PicsChecked", {});
    EXPECT_FALSE(ini->SectionExists("PicsChecked"));
}

TEST(TNyMemIniFile, EraseSectionAndDeleteKey) {
    TempFolder folder;
    auto ini = Load(folder, "[a]\nk=1\nk=2\nraw\nj=3\n[b]\nk=4\n");
    ini->DeleteKey("A", "K");
    EXPECT_EQ(ini->ReadString("a", "k", ""), "2");
    ini->DeleteKey("a", "raw");  // a raw entry has no name to delete it by
    ini->EraseSection("B");
    EXPECT_FALSE(ini->SectionExists("b"));
    EXPECT_EQ(ini->Text(), "[a]\nk=2\nraw\nj=3\n\n");
}

TEST(TNyMemIniFile, DestructionWritesTheFileWhileAutoSaveIsSet) {
    TempFolder folder;
    { TNyMemIniFile ini(folder / "config.ini"); }
    EXPECT_TRUE(std::filesystem::exists(folder / "config.ini"));  // created, holding no section
    EXPECT_EQ(ReadFile(folder / "config.ini"), "");

    WriteFile(folder / "config.ini", "[a]\n  k = 1\n");
    {
        TNyMemIniFile ini(folder / "config.ini");
        ini.SetAutoSave(false);
        ini.WriteInteger("a", "k", 2);
    }
    EXPECT_EQ(ReadFile(folder / "config.ini"), "[a]\n  k = 1\n");
}

TEST(TNyMemIniFile, DestructionReportsAFailedWriteInsteadOfThrowing) {
    TempFolder folder;
    std::string hooked;
    ErrorReportHook = [&](const std::string& message) { hooked = message; };
    auto ini = std::make_unique<TNyMemIniFile>(folder / "gone" / "config.ini");
    ::testing::internal::CaptureStderr();
    ini.reset();
    std::string printed = ::testing::internal::GetCapturedStderr();
    ErrorReportHook = nullptr;
    const std::string expected = "Cannot write the settings file \"" +
                                 (folder / "gone" / "config.ini").string() +
                                 "\": No such file or directory";
    EXPECT_EQ(hooked, expected);
    EXPECT_NE(printed.find(expected), std::string::npos) << printed;
}

}  // namespace
}  // namespace corvane
