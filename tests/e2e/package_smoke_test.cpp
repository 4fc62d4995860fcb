// The release as a user gets it: QuelbrixU.exe started from the folder the zip was unpacked
// into (named by QUELBRIX_PACKAGE_DIR), with nothing of the build beside it, runs one search.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "app_session.h"
#include "quelbrix_engine.h"
#include "quelbrix_u_resources.h"

namespace {

std::string PackageFolder() {
    const char* folder = std::getenv("QUELBRIX_PACKAGE_DIR");
    if (folder == nullptr || *folder == '\0') return "";
    std::string path = folder;
    if (path.back() != '\\') path += '\\';
    return path;
}

TEST(PackageSmoke, UnpackedProgramSearchesShiftJisAndEucFiles) {
    const std::string program = PackageFolder();
    ASSERT_FALSE(program.empty()) << "QUELBRIX_PACKAGE_DIR names no folder";
    ASSERT_TRUE(e2e::FileExistsAt(program + "help.chm"));
    ASSERT_FALSE(e2e::FileExistsAt(program + "QuelbrixU.ini"));

    e2e::TempFolder data("package");
    e2e::WriteFileBytes(data.Path() + "sjis.txt",
                        "\x8C\x9F\x8D\xF5\x82\xB7\x82\xE9\r\n");  // 検索する
    e2e::WriteFileBytes(data.Path() + "euc.txt",
                        "\xB8\xA1\xBA\xF7\xA4\xB9\xA4\xEB\n");  // the same in EUC-JP
    e2e::WriteFileBytes(data.Path() + "other.txt", "nothing\r\n");

    e2e::AppSession app(program);
    ASSERT_TRUE(app.Start());
    app.SetText(IDC_FOLDER, data.Path());
    app.SetText(IDC_WORD, "検索");
    app.Click(IDOK);
    e2e::MessageBoxSeen summary;
    ASSERT_TRUE(app.WaitForMessageBox(e2e::kEngineCaption, summary));
    EXPECT_NE(summary.text.find("3個中のファイルのうち2個"), std::string::npos) << summary.text;
    app.Answer(summary, IDOK);
    ASSERT_TRUE(app.WaitIdle());
    ASSERT_EQ(app.RowCount(), 2);
    for (int row = 0; row < 2; ++row) EXPECT_EQ(app.Cell(row, QUELBRIX_COLUMN_COUNT), "1");
    ASSERT_TRUE(app.Exit());
    // The settings file is made beside the unpacked program, as the readme says.
    EXPECT_TRUE(e2e::FileExistsAt(program + "QuelbrixU.ini"));
}

}  // namespace
