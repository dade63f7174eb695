// Where the programs read their data and write their saves: the save-path prefix every
// save file name goes through, the Linux choice of data and save folders (build tree,
// relocated install, read-only install), and the game's saves landing in the chosen
// folder rather than in the working directory.
#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include "core_testutil.h"
#include "linux_folders.h"
#include "qgu_fileutil_savepath.h"
#include "qsdlpp2_configuration.h"
#include "world_testutil.h"

namespace {

bool isFolder(const std::string& p) {
    struct stat st;
    return stat(p.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}
void makeFolder(const std::string& p) { ASSERT_EQ(std::system(("mkdir -p '" + p + "'").c_str()), 0); }

// Every test leaves the save folder as it found it: the working directory.
class SaveFolder : public ::testing::Test {
protected:
    coretest::ScratchDir dir;
    void TearDown() override { qgu_setSaveFolder(""); }
};

}  // namespace

TEST_F(SaveFolder, SavePathsArePlainNamesUntilAFolderIsSet) {
    EXPECT_EQ(qgu_savePath("vrnpr.pref"), "vrnpr.pref");
    EXPECT_EQ(qgu_savePath("replayfilms"), "replayfilms");

    ASSERT_TRUE(qgu_setSaveFolder("/home/ann/.local/share/fernhollow//"));
    EXPECT_STREQ(qgu_saveFolder(), "/home/ann/.local/share/fernhollow");
    EXPECT_EQ(qgu_savePath("mysdlcfg.pref"), "/home/ann/.local/share/fernhollow/mysdlcfg.pref");
    EXPECT_EQ(qgu_savePath("/tmp/elsewhere.pref"), "/tmp/elsewhere.pref") << "a full path is kept";

    // A folder so long that a film path would not fit a data-file name is refused and
    // the folder before it stays.
    EXPECT_FALSE(qgu_setSaveFolder(("/" + std::string(QGU_SAVE_FOLDER_MAX, 'x')).c_str()));
    EXPECT_STREQ(qgu_saveFolder(), "/home/ann/.local/share/fernhollow");

    ASSERT_TRUE(qgu_setSaveFolder("/"));
    EXPECT_EQ(qgu_savePath("vrnpr.pref"), "/vrnpr.pref");
    ASSERT_TRUE(qgu_setSaveFolder(nullptr));
    EXPECT_EQ(qgu_savePath("vrnpr.pref"), "vrnpr.pref");
}

// The build tree keeps its data beside the program; an install keeps it in
// share/fernhollow beside bin, wherever the prefix was moved to.
TEST_F(SaveFolder, DataFolderIsBesideTheProgramOrInTheInstallTree) {
    const std::string build = dir.file("build/bin");
    makeFolder(build + "/resourcesQSDL");
    EXPECT_EQ(fhfolders::findDataFolder(build + "/", "../share/fernhollow"), build);

    const std::string prefix = dir.file("moved/prefix");
    makeFolder(prefix + "/bin");
    makeFolder(prefix + "/share/fernhollow/resourcesQSDL");
    EXPECT_EQ(fhfolders::findDataFolder(prefix + "/bin/", "../share/fernhollow"), prefix + "/share/fernhollow");
    EXPECT_EQ(fhfolders::findDataFolder(prefix + "/bin", "../share/fernhollow"), prefix + "/share/fernhollow");

    // Data beside the program wins over an installed copy (a build folder inside a prefix).
    makeFolder(prefix + "/bin/resourcesQSDL");
    EXPECT_EQ(fhfolders::findDataFolder(prefix + "/bin/", "../share/fernhollow"), prefix + "/bin");

    // Neither: nothing found (a file of that name is not the data folder either).
    const std::string bare = dir.file("bare/bin");
    makeFolder(bare);
    coretest::writeAll(bare + "/resourcesQSDL", {1, 2, 3});
    EXPECT_EQ(fhfolders::findDataFolder(bare + "/", "../share/fernhollow"), "");
    EXPECT_EQ(fhfolders::findDataFolder("", "../share/fernhollow"), "");
}

TEST_F(SaveFolder, PerUserFolderFollowsXdgDataHomeThenHome) {
    using fhfolders::userSaveFolder;
    EXPECT_EQ(userSaveFolder("/data/ann", "/home/ann"), "/data/ann/fernhollow");
    EXPECT_EQ(userSaveFolder("/data/ann/", "/home/ann"), "/data/ann/fernhollow");
    // Unset, empty or relative XDG_DATA_HOME: the default under HOME.
    EXPECT_EQ(userSaveFolder(nullptr, "/home/ann"), "/home/ann/.local/share/fernhollow");
    EXPECT_EQ(userSaveFolder("", "/home/ann/"), "/home/ann/.local/share/fernhollow");
    EXPECT_EQ(userSaveFolder("data", "/home/ann"), "/home/ann/.local/share/fernhollow");
    EXPECT_EQ(userSaveFolder(nullptr, nullptr), "");
    EXPECT_EQ(userSaveFolder("relative", "also/relative"), "");
}

TEST_F(SaveFolder, SavesStayInAWritableDataFolderElseGoToTheUserFolder) {
    const std::string xdg = dir.file("xdg");
    // Writable data folder: nothing changes and nothing is created.
    EXPECT_EQ(fhfolders::chooseSaveFolder(true, xdg.c_str(), "/nonexistent"), "");
    EXPECT_FALSE(isFolder(xdg));

    // Read-only data folder: the per-user folder, made with its missing parents.
    testing::internal::CaptureStdout();
    const std::string chosen = fhfolders::chooseSaveFolder(false, xdg.c_str(), "/nonexistent");
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(chosen, xdg + "/fernhollow");
    EXPECT_TRUE(isFolder(chosen));
    // Made once, found again on the next start.
    EXPECT_EQ(fhfolders::chooseSaveFolder(false, xdg.c_str(), "/nonexistent"), chosen);
}

TEST_F(SaveFolder, AUserFolderThatCannotBeMadeIsLoggedAndLeavesTheWorkingDirectory) {
    // A plain file where a parent folder should be.
    coretest::writeAll(dir.file("blocker"), {0});
    const std::string blocked = dir.file("blocker/xdg");
    testing::internal::CaptureStdout();
    EXPECT_EQ(fhfolders::chooseSaveFolder(false, blocked.c_str(), nullptr), "");
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "Can't create the save folder. ( " + blocked + "/fernhollow )\n");
    EXPECT_FALSE(fhfolders::makeFolders(blocked + "/fernhollow"));

    // Too long for the data-file names.
    const std::string deep = dir.file(std::string(QGU_SAVE_FOLDER_MAX, 'd'));
    testing::internal::CaptureStdout();
    EXPECT_EQ(fhfolders::chooseSaveFolder(false, deep.c_str(), nullptr), "");
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Save folder path too long ( " + deep + "/fernhollow )\n");
    EXPECT_FALSE(isFolder(deep)) << "nothing is made for a refused folder";

    testing::internal::CaptureStdout();
    EXPECT_EQ(fhfolders::chooseSaveFolder(false, nullptr, nullptr), "");
    EXPECT_NE(testing::internal::GetCapturedStdout().find("No home folder for saves"), std::string::npos);
}

// The configuration, diary, report and films of a run whose data folder is read-only:
// every one lands in the save folder, none in the working directory. The save folder is
// nearly as long as allowed, so a path cut short anywhere would miss it.
class SavesInUserFolder : public worldtest::WorldTest {
protected:
    coretest::ScratchDir home;
    std::string folder;
    void SetUp() override {
        folder = home.file(std::string(QGU_SAVE_FOLDER_MAX - home.path().size() - 1, 'f'));
        ASSERT_TRUE(fhfolders::makeFolders(folder));
        ASSERT_TRUE(qgu_setSaveFolder(folder.c_str()));
        worldtest::WorldTest::SetUp();  // loads (creates) the diary from the save folder
    }
    void TearDown() override {
        qgu_setSaveFolder("");
        worldtest::WorldTest::TearDown();
    }
    std::vector<uint8_t> saved(const char* name) const { return coretest::readAll(folder + "/" + name); }
};

TEST_F(SavesInUserFolder, EverySaveFileGoesThere) {
    EXPECT_EQ(saved("vrnpr.pref").size(), 1312u) << "the new diary";

    save();
    EXPECT_FALSE(saved("SecretDiary.text").empty());

    ASSERT_EQ(w.startStageFilm(1, 2, 0), 0);
    w.filmLength = QSDL_GLOBALS::Stick.endsync();
    FHWGBL::CHAPTER = 1;
    FHWGBL::SECTION = 2;
    testing::internal::CaptureStdout();
    ASSERT_TRUE(w.SaveLastReplay(0));
    w.loadReplayFiles();
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(saved("replayfilms/Last2-3.vrnrpmov").size(), 688u);
    EXPECT_TRUE(w.filmPresent[1][2][0]) << "the film is found again where it was written";

    PrefHandler pref("mysdlcfg.pref", 1024);
    testing::internal::CaptureStdout();
    EXPECT_TRUE(pref.autoPref()) << "a new configuration";
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(saved("mysdlcfg.pref").size(), 1024u);
    EXPECT_EQ(pref.savePrefText(qgu_savePath("exportSetting.pref").c_str()), 1);
    EXPECT_FALSE(saved("exportSetting.pref").empty());

    // The working directory (the data folder) got nothing.
    for (const char* name : {"vrnpr.pref", "SecretDiary.text", "mysdlcfg.pref", "exportSetting.pref", "replayfilms"})
        EXPECT_FALSE(coretest::fileExists(file(name)) || isFolder(file(name))) << name;

    // A second start reads the diary it wrote instead of making a new one.
    const std::string log = reload();
    EXPECT_EQ(log.find("New preference file"), std::string::npos) << log;
    EXPECT_EQ(log.find("Corrupted"), std::string::npos) << log;
}
