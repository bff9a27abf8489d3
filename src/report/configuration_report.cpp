#include "report/configuration_report.h"

#include <cmath>

#include "link/upload_image.h"
#include "platform/file_replace.h"
#include "platform/utf8_text.h"
#include "program_version.h"
#include "report/png_writer.h"
#include "settings/curve_plot.h"

namespace {

// Text for the page: valid UTF-8 (the file name may hold bytes of another encoding, which show
// as U+FFFD, as in JSON) with the characters that HTML reads as markup spelled out.
std::string escaped(const std::string& text) {
    std::string out;
    for (char c : validUtf8(text)) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        case '\'': out += "&#39;"; break;
        default: out += c;
        }
    }
    return out;
}

std::string base64(const std::vector<std::uint8_t>& bytes) {
    static const char digits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    out.reserve((bytes.size() + 2) / 3 * 4);
    for (std::size_t i = 0; i < bytes.size(); i += 3) {
        const std::size_t left = bytes.size() - i;
        const std::uint32_t group = static_cast<std::uint32_t>(bytes[i]) << 16 |
                                    (left > 1 ? static_cast<std::uint32_t>(bytes[i + 1]) << 8 : 0) |
                                    (left > 2 ? bytes[i + 2] : 0);
        out += digits[group >> 18 & 63];
        out += digits[group >> 12 & 63];
        out += left > 1 ? digits[group >> 6 & 63] : '=';
        out += left > 2 ? digits[group & 63] : '=';
    }
    return out;
}

// Print: A4 and Letter are both about 700 CSS pixels wide inside 12 mm margins, so nothing is
// wider than that there; a table row, a plot with its values and a short table never split
// across sheets, and a long table repeats its header.
const char kStyle[] = R"(
body { font-family: "DejaVu Sans", Arial, sans-serif; font-size: 10.5pt; margin: 16px; color: #000; background: #fff; }
h1 { font-size: 16pt; margin: 0 0 4px 0; }
h2 { font-size: 13pt; margin: 18px 0 6px 0; border-bottom: 1px solid #888; break-after: avoid; page-break-after: avoid; }
h3 { font-size: 11pt; margin: 8px 0 4px 0; break-after: avoid; page-break-after: avoid; }
p.meta { margin: 0; color: #333; }
table { border-collapse: collapse; margin: 4px 0 8px 0; }
th, td { border: 1px solid #999; padding: 2px 6px; text-align: left; vertical-align: top; }
th { background: #eee; }
td.number { text-align: right; font-variant-numeric: tabular-nums; }
thead { display: table-header-group; }
tr, li, figure, .keep { break-inside: avoid; page-break-inside: avoid; }
figure { margin: 0 0 10px 0; }
figcaption { font-weight: bold; margin-bottom: 2px; }
img.page { display: block; width: 720px; height: 192px; border: 1px solid #000;
           image-rendering: crisp-edges; image-rendering: pixelated; }
.curve { display: flex; flex-wrap: wrap; gap: 10px; align-items: flex-start; margin-bottom: 10px; }
.curve table { font-size: 8.5pt; margin: 0; }
.curve td, .curve th { padding: 1px 4px; }
svg.plot { border: 1px solid #999; background: #fff; }
ul.findings { padding-left: 20px; margin: 4px 0; }
.problem { color: #a00000; font-weight: bold; }
.note { color: #444; font-weight: bold; }
@media print {
  @page { margin: 12mm; }
  body { margin: 0; font-size: 9pt; }
  img.page { width: 480px; height: 128px; }
  h2 { margin-top: 12px; }
}
)";

std::string td(const std::string& text) { return "<td>" + escaped(text) + "</td>"; }
std::string tdNumber(const std::string& text) { return "<td class=\"number\">" + escaped(text) + "</td>"; }

std::string pagesSection(const std::vector<std::uint8_t>& pageImage) {
    std::string out = "<h2>Display pages</h2>\n";
    for (int page = 0; page < kPageCount; ++page) {
        out += "<figure><figcaption>Page " + std::to_string(page + 1) + "</figcaption><img class=\"page\" alt=\"Page " +
               std::to_string(page + 1) + " as the display shows it\" width=\"" +
               std::to_string(8 * kImageLineBytes * kReportPageScale) + "\" height=\"" +
               std::to_string(kPageLines * kReportPageScale) + "\" src=\"" + pngDataUri(reportPagePng(pageImage, page)) +
               "\"></figure>\n";
    }
    return out;
}

std::string gaugesSection(const std::vector<GaugeInfo>& gauges) {
    std::string out = "<h2>Gauges</h2>\n";
    if (gauges.empty()) return out + "<p>No gauges are placed.</p>\n";
    out += "<table>\n<thead><tr><th>Page</th><th>Slot</th><th>Gauge</th><th>Id</th><th>Column</th><th>Row</th>"
           "<th>Width</th><th>Height</th></tr></thead>\n<tbody>\n";
    for (const GaugeInfo& g : gauges)
        out += "<tr>" + tdNumber(std::to_string(g.page)) + tdNumber(std::to_string(g.slot)) +
               td(g.inCatalog ? g.name : "(not in the catalog)") + td(hexWord(g.gaugeId, 4)) +
               tdNumber(std::to_string(g.column)) + tdNumber(std::to_string(g.row)) + tdNumber(std::to_string(g.width)) +
               tdNumber(std::to_string(g.height)) + "</tr>\n";
    return out + "</tbody>\n</table>\n";
}

std::string vehicleSection(const std::vector<PanelText>& vehicle) {
    std::string out = "<h2>Vehicle settings</h2>\n<table class=\"keep\">\n<tbody>\n";
    for (const PanelText& field : vehicle) out += "<tr><th>" + escaped(field.label) + "</th>" + td(field.text) + "</tr>\n";
    return out + "</tbody>\n</table>\n";
}

std::string svgNumber(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", value);
    return text;
}

// The curve's picture: volts across, value up, labelled with the lowest and highest value as
// the custom sensor dialog labels them. A point that is not a number breaks the line.
std::string curvePlot(const float (&values)[kCurvePointCount]) {
    const CurvePlot plot = plotCurveValues(values);
    const PlotArea area{56, 10, 296, 150};
    const auto pixels = placeCurvePoints(plot, area);
    std::string out = "<svg class=\"plot\" xmlns=\"http://www.w3.org/2000/svg\" width=\"310\" height=\"176\" "
                      "viewBox=\"0 0 310 176\" font-family=\"sans-serif\" font-size=\"11\">\n";
    out += "<rect x=\"56\" y=\"10\" width=\"240\" height=\"140\" fill=\"none\" stroke=\"#bbb\"/>\n";
    out += "<text x=\"52\" y=\"18\" text-anchor=\"end\">" + escaped(plot.highestLabel) + "</text>\n";
    out += "<text x=\"52\" y=\"150\" text-anchor=\"end\">" + escaped(plot.lowestLabel) + "</text>\n";
    out += "<text x=\"56\" y=\"166\" text-anchor=\"middle\">0 V</text>\n";
    out += "<text x=\"176\" y=\"166\" text-anchor=\"middle\">2.5 V</text>\n";
    out += "<text x=\"296\" y=\"166\" text-anchor=\"middle\">5 V</text>\n";
    std::string line;
    auto endLine = [&] {
        if (line.find(' ') != std::string::npos)
            out += "<polyline fill=\"none\" stroke=\"#000\" stroke-width=\"1.5\" points=\"" + line + "\"/>\n";
        line.clear();
    };
    for (int k = 0; k < kCurvePointCount; ++k) {
        if (std::isnan(values[k])) {
            endLine();
            continue;
        }
        line += (line.empty() ? "" : " ") + svgNumber(pixels[k].x) + "," + svgNumber(pixels[k].y);
    }
    endLine();
    for (int k = 0; k < kCurvePointCount; ++k)
        if (!std::isnan(values[k]))
            out += "<circle cx=\"" + svgNumber(pixels[k].x) + "\" cy=\"" + svgNumber(pixels[k].y) + "\" r=\"2\"/>\n";
    return out + "</svg>\n";
}

// The 33 values in three column pairs of 11 rows, narrow enough to sit beside the plot.
std::string curveValues(const float (&values)[kCurvePointCount]) {
    constexpr int kRows = 11;
    std::string out = "<table>\n<thead><tr>";
    for (int c = 0; c < kCurvePointCount / kRows; ++c) out += "<th>Volts</th><th>Value</th>";
    out += "</tr></thead>\n<tbody>\n";
    for (int r = 0; r < kRows; ++r) {
        out += "<tr>";
        for (int k = r; k < kCurvePointCount; k += kRows)
            out += tdNumber(curvePointVolts(k)) + tdNumber(shortestNumber(values[k]));
        out += "</tr>\n";
    }
    return out + "</tbody>\n</table>\n";
}

std::string curvesSection(const CustomSensorCurves& curves) {
    std::string out = "<h2>Custom sensor curves</h2>\n";
    for (int sensor = 0; sensor < kCustomSensorCount; ++sensor)
        out += "<div class=\"keep\"><h3>Custom Sensor " + std::to_string(sensor + 1) + "</h3>\n<div class=\"curve\">\n" +
               curvePlot(curves.points[sensor]) + curveValues(curves.points[sensor]) + "</div></div>\n";
    return out;
}

std::string warningsSection(const std::vector<WarningInfo>& warnings) {
    std::string out = "<h2>Warnings</h2>\n";
    if (warnings.empty()) return out + "<p>No warning is in use.</p>\n";
    out += "<table>\n<tbody>\n";
    for (const WarningInfo& w : warnings)
        out += "<tr><th>Warning " + std::to_string(w.warning) + "</th>" + td(warningInWords(w)) + "</tr>\n";
    return out + "</tbody>\n</table>\n";
}

std::string findingsSection(const ReportContents& contents) {
    std::string out = "<h2>Check</h2>\n";
    if (contents.findings.empty()) return out + "<p>The check found nothing to report.</p>\n";
    int problems = 0;
    for (const ReportFinding& f : contents.findings) problems += f.severity == "problem";
    out += "<p>" + std::to_string(problems) + (problems == 1 ? " problem, " : " problems, ") +
           std::to_string(contents.findings.size() - problems) +
           (contents.findings.size() - problems == 1 ? " note" : " notes") + ".</p>\n<ul class=\"findings\">\n";
    for (const ReportFinding& f : contents.findings)
        out += "<li><span class=\"" + std::string(f.severity == "problem" ? "problem" : "note") + "\">" +
               escaped(f.severity) + "</span> " + escaped(f.place) + ": " + escaped(f.text) + "</li>\n";
    return out + "</ul>\n";
}

}  // namespace

std::string pngDataUri(const std::vector<std::uint8_t>& png) { return "data:image/png;base64," + base64(png); }

std::vector<std::uint8_t> reportPagePng(const std::vector<std::uint8_t>& pageImage, int page) {
    const int width = 8 * kImageLineBytes;
    std::vector<std::uint8_t> grey(static_cast<std::size_t>(width) * kPageLines, 255);
    for (int y = 0; y < kPageLines; ++y)
        for (int x = 0; x < width; ++x)
            if (displayPixelIsDark(pageImage, x, page * kPageLines + y)) grey[static_cast<std::size_t>(y) * width + x] = 0;
    return encodeGreyPng(width, kPageLines, grey);
}

std::string buildConfigurationReport(const ReportContents& contents) {
    const ConfigurationSummary& s = contents.summary;
    std::string out = "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n<title>" +
                      escaped(contents.file) + " - Veltrana configuration</title>\n<style>" + kStyle +
                      "</style>\n</head>\n<body>\n";
    out += "<h1>" + escaped(contents.file) + "</h1>\n";
    out += "<p class=\"meta\">Format version " + hexWord(s.version, 8) + "; report by " + VELTRANA_PROGRAM_NAME + " " +
           VELTRANA_VERSION + "</p>\n";
    out += pagesSection(contents.pageImage);
    out += gaugesSection(s.gauges);
    out += vehicleSection(s.vehicle);
    out += curvesSection(s.curves);
    out += warningsSection(s.warnings);
    out += findingsSection(contents);
    return out + "</body>\n</html>\n";
}

std::string writeConfigurationReport(const std::string& path, const std::string& html) {
    return writeWholeFile(path, std::vector<std::uint8_t>(html.begin(), html.end()));
}
