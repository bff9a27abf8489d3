#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "link/upload_image.h"
#include "platform/utf8_text.h"
#include "report/configuration_report.h"

namespace {

std::size_t count(const std::string& text, const std::string& part) {
    std::size_t n = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
    return n;
}

TEST(ConfigurationReport, FindingsCurvesAndTextsAreSaidSafely) {
    ReportContents base;
    base.file = "a<b>&\"c\".vtl";
    base.pageImage.assign(kPageImageBytes, 0);
    base.summary.curves = startupCustomSensorCurves();
    base.summary.vehicle = {{"Injector Size (CC)", "<0>"}};

    struct Case {
        const char* name;
        std::vector<ReportFinding> findings;
        std::vector<std::string> present;
        std::vector<std::string> absent;
    };
    const std::vector<Case> cases = {
        {"nothing found", {}, {"The check found nothing to report."}, {"problem, "}},
        {"a problem and a note, in words and escaped",
         {{"problem", "Injector Size (CC)", "An injector size of 0 sends <nan>."}, {"note", "Warning 2", "Never shown."}},
         {"<p>1 problem, 1 note.</p>",
          "<span class=\"problem\">problem</span> Injector Size (CC): An injector size of 0 sends &lt;nan&gt;.",
          "<span class=\"note\">note</span> Warning 2: Never shown."},
         {"<nan>"}},
    };
    for (const Case& c : cases) {
        ReportContents contents = base;
        contents.findings = c.findings;
        const std::string html = buildConfigurationReport(contents);
        for (const std::string& text : c.present) EXPECT_NE(html.find(text), std::string::npos) << c.name << ": " << text;
        for (const std::string& text : c.absent) EXPECT_EQ(html.find(text), std::string::npos) << c.name << ": " << text;
        EXPECT_NE(html.find("<h1>a&lt;b&gt;&amp;&quot;c&quot;.vtl</h1>"), std::string::npos) << c.name;
        EXPECT_NE(html.find("<td>&lt;0&gt;</td>"), std::string::npos) << c.name;
    }

    // A point that is not a number breaks its curve's line in two and gets no dot; the value
    // table says "nan".
    ReportContents broken = base;
    broken.summary.curves.points[2][16] = std::nanf("");
    const std::string plain = buildConfigurationReport(base), html = buildConfigurationReport(broken);
    EXPECT_EQ(count(html, "<polyline"), count(plain, "<polyline") + 1);
    EXPECT_EQ(count(html, "<circle"), count(plain, "<circle") - 1);
    EXPECT_NE(html.find("<td class=\"number\">nan</td>"), std::string::npos);
    EXPECT_EQ(html.find("nan,"), std::string::npos);
}

// A file name with bytes of another encoding (Latin-1 here) is valid UTF-8 in the title and the
// heading, each such byte U+FFFD, as info --json shows it; the page as a whole is valid UTF-8.
TEST(ConfigurationReport, FileNameInAnotherEncodingShowsTheReplacementCharacter) {
    ReportContents contents;
    contents.file = "K\xFChler <\xE9>.vtl";
    contents.pageImage.assign(kPageImageBytes, 0);
    contents.summary.curves = startupCustomSensorCurves();
    const std::string html = buildConfigurationReport(contents);
    const std::string shown = "K\xEF\xBF\xBDhler &lt;\xEF\xBF\xBD&gt;.vtl";
    EXPECT_NE(html.find("<title>" + shown + " - Veltrana configuration</title>"), std::string::npos) << html;
    EXPECT_NE(html.find("<h1>" + shown + "</h1>"), std::string::npos);
    EXPECT_EQ(validUtf8(html), html);
}

TEST(ConfigurationReport, PicturesAreBase64WithEveryTailPadded) {
    // RFC 4648's examples: every length of the last group of three bytes.
    const struct {
        const char* bytes;
        const char* digits;
    } cases[] = {{"", ""},         {"f", "Zg=="},         {"fo", "Zm8="},         {"foo", "Zm9v"},
                 {"foob", "Zm9vYg=="}, {"fooba", "Zm9vYmE="}, {"foobar", "Zm9vYmFy"}};
    for (const auto& c : cases) {
        const std::string text = c.bytes;
        EXPECT_EQ(pngDataUri(std::vector<std::uint8_t>(text.begin(), text.end())),
                  std::string("data:image/png;base64,") + c.digits)
            << "case " << c.bytes;
    }
    EXPECT_EQ(pngDataUri({0xFB, 0xFF}), "data:image/png;base64,+/8=") << "the last two digits";
}

}  // namespace
