#include <gtest/gtest.h>

#include "document/document_name.h"

TEST(DocumentName, OnlyTheExactDefaultNameIsUntitled) {
    EXPECT_TRUE(isUntitled("Untitled1.vtl"));
    EXPECT_FALSE(isUntitled("untitled1.vtl"));
    EXPECT_FALSE(isUntitled("C:\\cars\\Untitled1.vtl"));
}

TEST(DocumentName, ExtensionIsAppendedOnlyWhenNoCaseSensitiveMatchExists) {
    struct Case { const char* path; const char* expected; };
    const Case cases[] = {
        {"C:\\cars\\car1", "C:\\cars\\car1.vtl"},
        {"C:\\cars\\CAR1.VTL", "C:\\cars\\CAR1.VTL.vtl"},
        {"C:\\old.vtl\\car1", "C:\\old.vtl\\car1"},
        {"C:\\cars\\car1.vtl", "C:\\cars\\car1.vtl"},
        {"car1.vtl.bak", "car1.vtl.bak"},
    };
    for (const Case& c : cases) EXPECT_EQ(withConfigurationExtension(c.path), c.expected) << "case " << c.path;
}

TEST(DocumentName, CaptionShowsShortNamesWholeAndShortensLongOnesInTheMiddle) {
    EXPECT_EQ(captionFor("Untitled1.vtl"), "Veltrana - Untitled1.vtl");

    const std::string exact(kCaptionLimit - 11, 'a');
    EXPECT_EQ(captionFor(exact), "Veltrana - " + exact);

    const std::string longPath = "C:\\" + std::string(190, 'x') + "\\car1.vtl.vtl";
    const std::string caption = captionFor(longPath);
    EXPECT_EQ(caption.size(), kCaptionLimit);
    EXPECT_EQ(caption.rfind("Veltrana - C:\\", 0), 0u);
    EXPECT_NE(caption.find("..."), std::string::npos);
    EXPECT_EQ(caption.substr(caption.size() - 13), "\\car1.vtl.vtl");
}

TEST(DocumentName, ALongUtf8NameIsCutBetweenCharacters) {
    std::string name = "C:\\";
    for (int i = 0; i < 60; ++i) name += "ü";  // two bytes each
    name += "\\Öl.vtl";
    const std::string caption = captionFor(name);
    EXPECT_LE(caption.size(), kCaptionLimit);
    const std::size_t dots = caption.find("...");
    ASSERT_NE(dots, std::string::npos);
    // Bytes 14 .. dots and dots + 3 .. the name's folder are whole "ü"s.
    EXPECT_EQ((dots - 14) % 2, 0u) << caption;
    EXPECT_EQ((caption.size() - 8 - (dots + 3)) % 2, 0u) << caption;
}

TEST(DocumentName, DroppedFilesThatAreNoConfigurationAreNamed) {
    struct Case {
        const char* path;
        bool folder;
        const char* refusal;
    };
    const Case cases[] = {
        {"C:\\cars\\car.vtl", false, ""},
        {"C:\\cars\\CAR.VTL", false, ""},
        {"C:\\cars\\car.vtl.txt", false, "C:\\cars\\car.vtl.txt is not a configuration file (*.vtl)."},
        {"C:\\cars\\.vtl", false, ""},
        {"vtl", false, "vtl is not a configuration file (*.vtl)."},
        {"C:\\cars.vtl", true, "C:\\cars.vtl is a folder, not a configuration file."},
    };
    for (const Case& c : cases) EXPECT_EQ(droppedFileRefusal(c.path, c.folder), c.refusal) << "case " << c.path;
}
