#include "book/paper.h"

#include <algorithm>
#include <cmath>

#include "diarycore/picture_bytes.h"

namespace {

constexpr double kMillimetresPerInch = 25.4;
constexpr double kQuarterPoint = kMillimetresPerInch / 288;

}  // namespace

PaperSize SizeOfPaper(Paper paper) {
    switch (paper) {
    case Paper::A4: return {210, 297};
    case Paper::A5: return {148, 210};
    case Paper::Letter: return {8.5 * kMillimetresPerInch, 11 * kMillimetresPerInch};
    }
    return {210, 297};
}

std::optional<Paper> PaperNamed(std::string_view name) {
    if (name == "a4") return Paper::A4;
    if (name == "a5") return Paper::A5;
    if (name == "letter") return Paper::Letter;
    return std::nullopt;
}

double MarginOf(const PaperSize& paper) { return paper.width / 10; }

double PictureBlockOf(const PaperSize& paper) {
    const double quarters = std::round(paper.width / 2 / kPictureWidth / kQuarterPoint);
    return std::max(1.0, quarters) * kQuarterPoint;
}
