#include "document/document_commands.h"

#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <vector>

#include "document/configuration_file.h"
#include "document/document_name.h"
#include "layout/gauge_catalog.h"
#include "support/fake_document_shell.h"
#include "support/fake_view_host.h"
#include "support/temp_dir.h"

namespace {

// The program's document on fakes: four page previews, the catalog, an empty history.
class DocumentCommandsTest : public ::testing::Test {
protected:
    void SetUp() override {
        resetPages(config->layout, config->directory);
        for (PageFrame& frame : config->directory.pages)
            frame.window = host.createView(frame.x, frame.y, frame.width, frame.height);
        catalog = loadCatalog(host);
        startHistory(document);
    }

    // A gauge at column `column` of page 0, as a click places it, then the step it takes.
    void placeGauge(int column) {
        GaugePlacement gauge;
        gauge.previewX = kPageX + 128 * column;
        gauge.previewY = kPageTop;
        gauge.displayWidth = 64;
        gauge.displayHeight = 64;
        gauge.gaugeId = gaugeDefinition(0, 0)->gaugeId;
        gauge.window = host.createView(gauge.previewX, gauge.previewY, 128, 128);
        ASSERT_TRUE(addPlacement(config->layout, config->directory, 0, gauge));
        recordEdit(document);
    }
    int liveGaugeViews() const { return host.liveCount() - kPageCount; }

    std::unique_ptr<Configuration> config = std::make_unique<Configuration>();
    std::string name = kDefaultDocumentName;
    EditHistory history;
    GaugeCatalog catalog;
    FakeViewHost host;
    FakeDocumentShell shell;
    Document document{*config, name, history, catalog, host, shell};
    TempDir dir;
};

TEST_F(DocumentCommandsTest, AFailedSaveKeepsTheNameAndKeepsTheProgramOpenAtExit) {
    name = dir.file("gone/car.vtl");  // its folder does not exist
    shell.answers = {true};
    EXPECT_FALSE(confirmExit(document));
    EXPECT_EQ(name, dir.file("gone/car.vtl"));
    ASSERT_EQ(shell.failures.size(), 1u);
    EXPECT_NE(shell.failures[0].find("car.vtl"), std::string::npos) << shell.failures[0];

    // Untitled: Yes and a cancelled chooser stay too; No ends without a save.
    name = kDefaultDocumentName;
    shell.answers = {true, false};
    EXPECT_FALSE(confirmExit(document));
    EXPECT_TRUE(confirmExit(document));
    EXPECT_EQ(shell.questions.back(), "Save?: Do you wish to save before exit?");
}

TEST_F(DocumentCommandsTest, ANameLoadedWithoutExtensionIsSavedWithIt) {
    ASSERT_TRUE(saveConfiguration(dir.file("car"), *config).saved);
    shell.openPaths = {dir.file("car")};
    loadDocument(document);
    EXPECT_EQ(name, dir.file("car"));
    EXPECT_TRUE(saveDocument(document)) << "a named document saves without a chooser";
    EXPECT_EQ(name, dir.file("car.vtl"));
    EXPECT_TRUE(std::ifstream(dir.file("car.vtl")).good());
    EXPECT_EQ(shell.filesUsed, (std::vector<std::string>{dir.file("car"), dir.file("car.vtl")}))
        << "the recent files hear of the load and the save";
}

TEST_F(DocumentCommandsTest, ARefusedLoadChangesNothingAndTakesNoStep) {
    placeGauge(0);
    const ConfigurationBytes before = documentBytes(document);
    std::ofstream(dir.file("bad.vtl"), std::ios::binary) << "not a configuration";
    shell.openPaths = {dir.file("bad.vtl")};
    loadDocument(document);
    EXPECT_EQ(shell.failures.size(), 1u);
    EXPECT_EQ(documentBytes(document), before);
    EXPECT_EQ(name, kDefaultDocumentName);
    EXPECT_EQ(history.undoCount(), 1u) << "only the placement";
    EXPECT_FALSE(loadDocumentFrom(document, dir.file("missing.vtl")));
    EXPECT_EQ(shell.failures.size(), 2u);
    EXPECT_EQ(history.undoCount(), 1u);
    EXPECT_TRUE(shell.filesUsed.empty());
}

TEST_F(DocumentCommandsTest, UndoAndRedoRestoreGaugesWithTheirViewsAndGreyWhatIsEmpty) {
    EXPECT_FALSE(shell.canUndo);
    EXPECT_FALSE(shell.canRedo);
    placeGauge(0);
    const ConfigurationBytes one = documentBytes(document);
    placeGauge(1);
    placeGauge(2);
    const ConfigurationBytes three = documentBytes(document);
    EXPECT_TRUE(shell.canUndo);
    undoEdit(document);
    undoEdit(document);
    EXPECT_EQ(documentBytes(document), one);
    EXPECT_EQ(liveGaugeViews(), 1) << "the undone gauges' views are gone";
    EXPECT_EQ(host.staleCalls, 0);
    redoEdit(document);
    redoEdit(document);
    EXPECT_EQ(documentBytes(document), three);
    EXPECT_EQ(liveGaugeViews(), 3);
    EXPECT_FALSE(shell.canRedo);
    EXPECT_EQ(shell.panelsFilled, 4) << "every restore refills the panel";
    // A click that places nothing takes no step; a new step clears what could be redone.
    recordEdit(document);
    EXPECT_EQ(history.undoCount(), 3u);
    undoEdit(document);
    placeGauge(3);
    EXPECT_FALSE(history.canRedo());
    EXPECT_FALSE(shell.canRedo);
}

TEST_F(DocumentCommandsTest, UndoTakesBackTheWholeStateAndATypedFieldFirst) {
    config->curves.points[2][5] = 7.5f;
    config->warnings.rows[3].parameter = 4;
    recordEdit(document);  // a dialog's OK
    // Typed into a field that still has the focus: the undo takes that back first.
    shell.editorTexts = [this] { config->vehicle.gearRatio[0] = 3.5f; };
    undoEdit(document);
    shell.editorTexts = nullptr;
    EXPECT_EQ(config->vehicle.gearRatio[0], 0.0f);
    EXPECT_EQ(config->curves.points[2][5], 7.5f);
    undoEdit(document);
    EXPECT_NE(config->curves.points[2][5], 7.5f);
    EXPECT_EQ(config->warnings.rows[3].parameter, 0);
    redoEdit(document);
    redoEdit(document);
    EXPECT_EQ(config->vehicle.gearRatio[0], 3.5f);
    // Redo (Ctrl+Y in the panel) takes the typed field first too: it stays, as a new step that
    // leaves nothing to redo.
    undoEdit(document);
    shell.editorTexts = [this] { config->vehicle.gearRatio[1] = 2.5f; };
    redoEdit(document);
    shell.editorTexts = nullptr;
    EXPECT_EQ(config->vehicle.gearRatio[1], 2.5f);
    EXPECT_EQ(config->vehicle.gearRatio[0], 0.0f);
    EXPECT_FALSE(shell.canRedo);
}

TEST_F(DocumentCommandsTest, CreateAsksAndItsStepGivesTheNameBack) {
    ASSERT_TRUE(saveConfiguration(dir.file("car.vtl"), *config).saved);
    shell.openPaths = {dir.file("car.vtl")};
    loadDocument(document);
    shell.answers = {false, true};
    createDocument(document);
    EXPECT_EQ(name, dir.file("car.vtl")) << "No changes nothing";
    createDocument(document);
    EXPECT_EQ(name, kDefaultDocumentName);
    EXPECT_EQ(shell.questions.back(), "Create new file?: Are you sure you wish to create a new file?");
    undoEdit(document);
    EXPECT_EQ(name, dir.file("car.vtl"));
    undoEdit(document);
    EXPECT_EQ(name, kDefaultDocumentName) << "undoing the Load";
    // A save renames without a step: undoing an edit after it keeps the saved name.
    placeGauge(0);
    shell.savePaths = {dir.file("other")};
    ASSERT_TRUE(saveDocumentAs(document));
    undoEdit(document);
    EXPECT_EQ(name, dir.file("other.vtl"));
}

// Which file Save writes to after undoing and redoing: a save names the document without a step
// of its own, and only undoing or redoing a Load or a Create changes the name, to the one the
// document had when it was last at that point. In a script, L loads a.vtl, C is a Create, E an
// edit, S a Save as (to b.vtl, then c.vtl), U an undo and R a redo.
TEST_F(DocumentCommandsTest, UndoAndRedoKeepTheNameThatSaveWritesTo) {
    const struct {
        const char* script;
        const char* name;  // a file of the test folder, or the untitled name
    } cases[] = {
        {"LESUURR", "b.vtl"},  // redoing the Load keeps the name it was undone with
        {"LESUU", kDefaultDocumentName},
        {"LUSRU", "b.vtl"},  // the before side of the Load was saved after the undo
        {"LCSUR", "b.vtl"},
        {"LCSUUR", "a.vtl"},
        {"LSCSUURR", "c.vtl"},
    };
    ASSERT_TRUE(saveConfiguration(dir.file("a.vtl"), *config).saved);
    for (const auto& c : cases) {
        name = kDefaultDocumentName;
        startHistory(document);
        char nextSave = 'b';
        for (const char* step = c.script; *step != '\0'; ++step) {
            switch (*step) {
            case 'L': shell.openPaths = {dir.file("a.vtl")}; loadDocument(document); break;
            case 'C': shell.answers = {true}; createDocument(document); break;
            case 'E': ++config->warnings.rows[0].parameter; recordEdit(document); break;
            case 'S':
                shell.savePaths = {dir.file(std::string(1, nextSave++))};
                ASSERT_TRUE(saveDocumentAs(document)) << c.script;
                break;
            case 'U': undoEdit(document); break;
            case 'R': redoEdit(document); break;
            }
        }
        const std::string expected =
            std::string(c.name) == kDefaultDocumentName ? c.name : dir.file(c.name);
        EXPECT_EQ(name, expected) << "script " << c.script;
    }
}

TEST(EditHistory, KeepsTheLast100Steps) {
    EditHistory history;
    history.start({0});
    for (std::uint8_t step = 1; step <= 120; ++step) history.record({step});
    EXPECT_EQ(history.undoCount(), EditHistory::kStepLimit);
    const ConfigurationBytes* last = nullptr;
    while (history.canUndo()) last = history.undo("").configuration;
    ASSERT_NE(last, nullptr);
    EXPECT_EQ(*last, ConfigurationBytes{20}) << "the oldest steps went first";
    EXPECT_EQ(history.undo("").configuration, nullptr);
}

}  // namespace
