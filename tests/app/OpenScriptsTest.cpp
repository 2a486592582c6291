#include "app/MDIMain.h"
#include "app/OpenFileSelection.h"
#include "script/LocaleService.h"
#include "tests/app/ScriptedInterface.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

using namespace lumora;

namespace {

using test::ScriptedInterface;

std::vector<std::string> windowFiles(const MDIMain& main) {
    std::vector<std::string> files;
    for (const auto& window : main.windows()) {
        files.push_back(window->strFilename + " " + window->strFormID);
    }
    return files;
}

const char* kGoodScript =
    R"(<DFM_Script version="2.0"><Settings Units="1"/><Test name="Etch Width"/></DFM_Script>)";

} // namespace

TEST(FileSelection, SplitsAMultipleSelectionAtNulCharacters) {
    FileSelection selection = splitFileSelection(std::string("/scripts\0a.dfm\0b.dfm\0c\0", 23));
    EXPECT_EQ(selection.folder, "/scripts");
    EXPECT_EQ(selection.names, (std::vector<std::string>{"a.dfm", "b.dfm", "c"}));
}

TEST(FileSelection, ASingleFileSplitsAtTheLastSeparator) {
    FileSelection selection = splitFileSelection("/home/u/scripts/board.dfm");
    EXPECT_EQ(selection.folder, "/home/u/scripts");
    EXPECT_EQ(selection.names, (std::vector<std::string>{"board.dfm"}));
    EXPECT_EQ(splitFileSelection("C:\\s\\b.dfm").folder, "C:\\s");
}

TEST(FileSelection, FilterExtensionIsAddedOnlyWhenMissingAnywhere) {
    EXPECT_EQ(withFilterExtension("board", 1), "board.dfm");
    EXPECT_EQ(withFilterExtension("board.DfM", 1), "board.DfM");
    EXPECT_EQ(withFilterExtension("board.dfm.bak", 1), "board.dfm.bak");
    EXPECT_EQ(withFilterExtension("board.txt", 1), "board.txt.dfm");
    EXPECT_EQ(withFilterExtension("notes", 2), "notes.txt");
    EXPECT_EQ(withFilterExtension("notes", 3), "notes");
}

TEST(OpenScripts, ABrokenSecondFileLeavesTheFirstAndThirdOpen) {
    ScopedLocale locale({".", ","});
    test::TempDir dir;
    dir.write("one.dfm", kGoodScript);
    dir.write("two.dfm", "<DFM_Script version=\"2.0\">\n<Test name=\"Etch Width\">\n</DFM_Script>");
    dir.write("three.dfm", kGoodScript);
    ScriptedInterface ui;
    MDIMain main(ui, dir.path());
    std::string folder = dir.path().string();
    main.openScripts(folder, {"one.dfm", "two.dfm", "three"}, 1);

    EXPECT_EQ(windowFiles(main),
              (std::vector<std::string>{folder + "/one.dfm Form0", folder + "/three.dfm Form2"}));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].substr(0, 26), "two.dfm could not be read.");
    EXPECT_NE(ui.messages[0].find("\tLine = 3"), std::string::npos) << ui.messages[0];
    EXPECT_EQ(main.frmCurChild(), main.windows().back().get());
    EXPECT_EQ(main.windows()[0]->curUnits, 1);
}

TEST(OpenScripts, TheDialogIsAskedWithTheScriptFilterAndCancelDoesNothing) {
    test::TempDir dir;
    ScriptedInterface ui;
    MDIMain main(ui, dir.path());
    main.openFile();
    EXPECT_EQ(ui.filterAsked,
              "Lumora Runner Files (*.dfm)|*.dfm|Text Files (*.txt)|*.txt|All Files (*.*)|*.*");
    EXPECT_TRUE(main.windows().empty());
    EXPECT_TRUE(ui.messages.empty());
}

TEST(OpenScripts, TheDialogAnswerOpensEveryChosenFile) {
    ScopedLocale locale({".", ","});
    test::TempDir dir;
    dir.write("a.dfm", kGoodScript);
    dir.write("b.dfm", kGoodScript);
    ScriptedInterface ui;
    ui.answer = FileDialogResult{dir.path().string() + std::string("\0a\0b.dfm", 8), 1};
    MDIMain main(ui, dir.path());
    main.openFile();
    ASSERT_EQ(main.windows().size(), 2u);
    EXPECT_EQ(main.windows()[0]->scriptName(), "a");
    EXPECT_EQ(main.window("Form1")->scriptName(), "b");
    main.closeFile("Form0");
    EXPECT_EQ(main.windows().size(), 1u);
    EXPECT_EQ(main.window("Form0"), nullptr);
}
