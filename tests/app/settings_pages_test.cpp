#include "app/settings_pages.h"

#include <gtest/gtest.h>

#include <string>

#include "app/search_settings.h"
#include "app/settings_template.h"
#include "memory_files.h"

using quelbrix::ErrorPolicy;
using quelbrix::ExtensionsPage;
using quelbrix::GeneralPage;
using quelbrix::LoadExtensionsPage;
using quelbrix::LoadGeneralPage;
using quelbrix::LoadOtherPage;
using quelbrix::OtherPage;
using quelbrix::ProfileFile;
using quelbrix::SaveExtensionsPage;
using quelbrix::SaveGeneralPage;
using quelbrix::SaveOtherPage;

namespace {

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
    const std::size_t at = text.find(from);
    if (at != std::string::npos) text.replace(at, from.size(), to);
    return text;
}

class SettingsPagesTest : public ::testing::Test {
protected:
    SettingsPagesTest() : profile(files, "Q.ini", "main") {}
    std::string& File() { return files.files["Q.ini"]; }
    std::string Value(const std::string& section, const std::string& key) {
        profile.SetSection(section);
        return profile.GetString(key, 4096);
    }

    MemoryFiles files;
    ProfileFile profile;
};

TEST_F(SettingsPagesTest, GeneralPageReadsFlagsChoiceAndErrorPolicy) {
    struct Case {
        const char* whole;
        bool ticked;
        bool userProgram;
        ErrorPolicy error;
    };
    const Case cases[] = {
        {"nProgress=1\r\nnCount=1\r\nrelative=1\r\nnKanji=1\r\nappli=1\r\nerror=1\r\n", true, true,
         ErrorPolicy::kSkip},
        {"nProgress=0\r\nnCount=0\r\nrelative=0\r\nnKanji=0\r\nappli=0\r\nerror=0\r\n", false,
         false, ErrorPolicy::kAsk},
        // Any other flag value is off, as the search reads it; any other appli is the user's
        // program; any other error is the third choice.
        {"nProgress=2\r\nnCount=2\r\nrelative=2\r\nnKanji=2\r\nappli=2\r\nerror=7\r\n", false, true,
         ErrorPolicy::kStop},
        {"error=-1\r\n", false, false, ErrorPolicy::kStop},
        {"", false, false, ErrorPolicy::kAsk},
    };
    for (const Case& c : cases) {
        File() = std::string("[whole]\r\n") + c.whole;
        const GeneralPage page = LoadGeneralPage(profile);
        for (bool flag :
             {page.hideProgress, page.hideCount, page.relativePaths, page.noCodeConversion}) {
            EXPECT_EQ(flag, c.ticked) << c.whole;
        }
        EXPECT_EQ(page.userProgram, c.userProgram) << c.whole;
        EXPECT_EQ(page.error, c.error) << c.whole;
    }
}

TEST_F(SettingsPagesTest, ErrorSevenShowsTheThirdChoiceAndIsWrittenBackAsTwo) {
    File() = "[whole]\r\nerror=7\r\n";
    SaveGeneralPage(profile, LoadGeneralPage(profile));
    EXPECT_EQ(Value("whole", "error"), "2");
}

TEST_F(SettingsPagesTest, GeneralPageWritesItsKeysInOrderIntoANewSection) {
    GeneralPage page;
    page.hideProgress = true;
    page.relativePaths = true;
    page.userProgram = false;  // the path is written all the same
    page.programPath = "C:\\Program Files\\表\\ed.exe";
    page.error = ErrorPolicy::kSkip;
    SaveGeneralPage(profile, page);
    EXPECT_EQ(File(),
              "[whole]\r\nnProgress=1\r\nnCount=0\r\nrelative=1\r\nnKanji=0\r\n"
              "path=C:\\Program Files\\表\\ed.exe\r\nappli=0\r\nerror=1\r\nnPause=0\r\n");
}

TEST_F(SettingsPagesTest, GeneralPageTouchesOnlyItsOwnSection) {
    File() = quelbrix::FormatSettingsTemplate(413, 0);
    const std::string before = File();
    SaveGeneralPage(profile, LoadGeneralPage(profile));
    // The template holds no nPause; the page adds it to [whole], after error.
    EXPECT_EQ(File(), Replaced(before, "error=0\r\n", "error=0\r\nnPause=0\r\n"));
}

// nPause, like the other flags, is ticked only by a stored 1; a missing key is clear.
TEST_F(SettingsPagesTest, GeneralPageTicksNoPauseOnlyForOneAndWritesItBack) {
    struct Case {
        const char* whole;
        bool ticked;
        const char* written;
    };
    const Case cases[] = {{"nPause=1\r\n", true, "1"},
                          {"nPause=0\r\n", false, "0"},
                          {"nPause=2\r\n", false, "0"},
                          {"nPause=x\r\n", false, "0"},
                          {"nKanji=1\r\n", false, "0"}};
    for (const Case& c : cases) {
        File() = std::string("[whole]\r\n") + c.whole;
        const GeneralPage page = LoadGeneralPage(profile);
        EXPECT_EQ(page.noPause, c.ticked) << c.whole;
        EXPECT_FALSE(page.hideProgress || page.hideCount || page.relativePaths) << c.whole;
        SaveGeneralPage(profile, page);
        EXPECT_EQ(Value("whole", "nPause"), c.written) << c.whole;
    }
    GeneralPage ticked;
    ticked.noPause = true;
    SaveGeneralPage(profile, ticked);
    EXPECT_TRUE(LoadGeneralPage(profile).noPause);
    EXPECT_EQ(Value("whole", "nKanji"), "0");  // the box is its own key, not another's
}

TEST_F(SettingsPagesTest, TextsAreKeptTo259BytesWithoutSplittingACharacter) {
    GeneralPage general;
    general.programPath = std::string(258, 'a') + "表";
    SaveGeneralPage(profile, general);
    EXPECT_EQ(Value("whole", "path"), std::string(258, 'a'));

    File() = "[type]\r\nt1=" + std::string(400, 'x') + "\r\n";
    EXPECT_EQ(LoadExtensionsPage(profile).rows[0].extensions, std::string(259, 'x'));
}

TEST_F(SettingsPagesTest, ExtensionsPageReadsTheTemplate) {
    File() = quelbrix::FormatSettingsTemplate(413, 0);
    const ExtensionsPage page = LoadExtensionsPage(profile);
    EXPECT_TRUE(page.allFiles);
    for (const auto& row : page.rows) EXPECT_TRUE(row.enabled);
    EXPECT_EQ(page.rows[1].extensions, "html,htm,shtml,css");
    EXPECT_EQ(page.rows[10].extensions, "bat");
}

TEST_F(SettingsPagesTest, ExtensionsPageChoosesAllFilesOnlyForOne) {
    struct Case {
        const char* type;
        bool allFiles;
    };
    const Case cases[] = {{"all_type=1\r\n", true},
                          {"all_type=0\r\n", false},
                          {"", false},
                          {"all_type=7\r\n", false}};
    for (const Case& c : cases) {
        File() = std::string("[type]\r\n") + c.type + "v2=1\r\nv3=2\r\n";
        const ExtensionsPage page = LoadExtensionsPage(profile);
        EXPECT_EQ(page.allFiles, c.allFiles) << c.type;
        EXPECT_FALSE(page.rows[0].enabled);
        EXPECT_TRUE(page.rows[1].enabled);
        EXPECT_FALSE(page.rows[2].enabled);
    }
}

TEST_F(SettingsPagesTest, ExtensionsAreStoredAsTypedAndDisabledRowsAreWritten) {
    File() = quelbrix::FormatSettingsTemplate(413, 0);
    ExtensionsPage page = LoadExtensionsPage(profile);
    page.allFiles = false;
    page.rows[0] = {true, " .TXT, Md ,,"};
    page.rows[4] = {false, "新しい,pas"};  // a cleared row keeps its text
    page.rows[10] = {false, ""};
    SaveExtensionsPage(profile, page);

    EXPECT_EQ(Value("type", "all_type"), "0");
    EXPECT_EQ(Value("type", "t1"), " .TXT, Md ,,");
    EXPECT_EQ(Value("type", "v1"), "1");
    EXPECT_EQ(Value("type", "t5"), "新しい,pas");
    EXPECT_EQ(Value("type", "v5"), "0");
    EXPECT_EQ(Value("type", "t11"), "");
    EXPECT_EQ(Value("type", "v11"), "0");
    EXPECT_EQ(Value("type", "t6"), "c,cpp,cc,h,hpp");
    EXPECT_EQ(quelbrix::BuildExtensionList(profile),
              " .TXT, Md ,,,html,htm,shtml,css,cgi,pl,php,asp,frm,bas,vbs,c,cpp,cc,h,hpp,"
              "java,class,js,asm,inc,as,hmw,tts,ini,inf,url,");
}

TEST_F(SettingsPagesTest, ExtensionsPageWritesAllTypeThenEachRowsTickAndText) {
    ExtensionsPage page;
    page.allFiles = true;
    page.rows[0] = {true, "txt"};
    SaveExtensionsPage(profile, page);
    std::string expected = "[type]\r\nall_type=1\r\nv1=1\r\nt1=txt\r\n";
    for (int i = 2; i <= 11; ++i) {
        expected += "v" + std::to_string(i) + "=0\r\nt" + std::to_string(i) + "=\r\n";
    }
    expected += "exclude=\r\n";
    EXPECT_EQ(File(), expected);
}

// The folders left out are read and written with the page, as typed, whichever choice is made;
// an overlong value is cut at a character boundary both ways.
TEST_F(SettingsPagesTest, ExtensionsPageKeepsTheFoldersLeftOut) {
    const struct {
        std::string stored;  // the [type] section's exclude line, or none
        std::string shown;
    } cases[] = {
        {"", ""},
        {"exclude=\r\n", ""},
        {"exclude=.git; obj ;;表*\r\n", ".git; obj ;;表*"},
        {"exclude=" + std::string(258, 'a') + "表\r\n", std::string(258, 'a')},
        {"exclude=" + std::string(5000, 'b') + "\r\n", std::string(259, 'b')},
    };
    for (const auto& c : cases) {
        File() = "[type]\r\nall_type=1\r\n" + c.stored;
        const ExtensionsPage page = LoadExtensionsPage(profile);
        EXPECT_EQ(page.excludeFolders, c.shown) << c.stored.substr(0, 40);
        EXPECT_EQ(quelbrix::ReadSearchSettings(profile).excludeFolders, c.shown);
    }
    ExtensionsPage page;
    page.allFiles = true;
    page.excludeFolders = " node_modules;ソ表;obj ";
    SaveExtensionsPage(profile, page);
    EXPECT_EQ(Value("type", "exclude"), " node_modules;ソ表;obj ");
    page.excludeFolders = std::string(258, 'c') + "表";
    SaveExtensionsPage(profile, page);
    EXPECT_EQ(Value("type", "exclude"), std::string(258, 'c'));
    EXPECT_EQ(LoadExtensionsPage(profile).excludeFolders, std::string(258, 'c'));
}

TEST_F(SettingsPagesTest, OtherPageTicksUtf8OnlyForOneAndAddsTheKeyToWhole) {
    for (const auto& [whole, ticked] :
         {std::pair{"utf8=1\r\n", true}, std::pair{"utf8=2\r\n", false},
          std::pair{"nKanji=0\r\n", false}}) {
        File() = std::string("[whole]\r\n") + whole;
        EXPECT_EQ(LoadOtherPage(profile).convertUtf8, ticked) << whole;
    }
    // A file written before the key existed gets it at the end of its section.
    File() = "[whole]\r\nnKanji=0\r\n\r\n[type]\r\nall_type=1\r\n";
    SaveOtherPage(profile, OtherPage{true});
    EXPECT_EQ(File(), "[whole]\r\nnKanji=0\r\nutf8=1\r\n\r\n[type]\r\nall_type=1\r\n");
    SaveOtherPage(profile, OtherPage{false});
    EXPECT_EQ(Value("whole", "utf8"), "0");
}

}  // namespace
