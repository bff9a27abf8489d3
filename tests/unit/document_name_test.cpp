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
