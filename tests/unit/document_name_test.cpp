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

    // Characters of 2, 3 and 4 bytes behind 0 to 3 ASCII bytes on each side: both cuts fall on
    // every byte of a character in turn, and the caption stays whole characters.
    const auto wholeCharacters = [](const std::string& text) {
        for (std::size_t at = 0; at < text.size();) {
            const unsigned char lead = static_cast<unsigned char>(text[at]);
            const std::size_t length = lead < 0x80 ? 1 : (lead & 0xE0) == 0xC0 ? 2 : (lead & 0xF0) == 0xE0 ? 3
                                     : (lead & 0xF8) == 0xF0 ? 4 : 0;
            if (length == 0 || at + length > text.size()) return false;
            for (std::size_t k = 1; k < length; ++k)
                if ((static_cast<unsigned char>(text[at + k]) & 0xC0) != 0x80) return false;
            at += length;
        }
        return true;
    };
    for (const char* character : {"ü", "日", "𝄞"}) {
        for (int ascii = 0; ascii <= 3; ++ascii) {
            std::string path = "C:\\" + std::string(ascii, 'a');
            for (int i = 0; i < 40; ++i) path += character;
            path += std::string(ascii, 'b') + "\\car.vtl";
            const std::string cut = captionFor(path);
            const std::string name = std::string(character) + " behind " + std::to_string(ascii);
            EXPECT_LE(cut.size(), kCaptionLimit) << name;
            EXPECT_GE(cut.size(), kCaptionLimit - 6) << name << ": no more is cut than a character's bytes";
            EXPECT_TRUE(wholeCharacters(cut)) << name << ": " << cut;
            EXPECT_EQ(cut.rfind("Veltrana - C:\\", 0), 0u) << name;
            EXPECT_EQ(cut.substr(cut.size() - 8), "\\car.vtl") << name;
        }
    }
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
