// libFuzzer target: any template and record bytes expand without a crash or a stray access,
// a written document starting with the template's head and ending with its tail. Input: a
// settings byte (bit 0 JPEG, bit 1 a picture every day, bits 2-3 days less one), the
// template's length, the template (UTF-8 or code page 932), then every day's record bytes.
#include <cstdlib>

#include "template_encoding.h"
#include "template_engine.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    const std::uint8_t settings = data[0];
    const std::size_t templateSize = std::min<std::size_t>(data[1], size - 2);
    const std::span<const std::uint8_t> templateBytes(data + 2, templateSize);
    const TextEncoding encoding = DetectTemplateEncoding(templateBytes);
    const std::u16string templateText = DecodeTemplateText(templateBytes, encoding);
    const DayFiles day = {std::vector<std::uint8_t>(data + 2 + templateSize, data + size), (settings & 2) != 0};

    const HtmlDiary diary = ExpandDiaryTemplate(templateText, DayKey{2000, 3, 2, 4}, 1 + ((settings >> 2) & 3),
                                                (settings & 1) != 0, [&day](const DayKey&) { return day; });
    if (diary.result != HtmlExportResult::Written) return 0;

    const std::size_t forAt = templateText.find(u"<!for>");
    const std::size_t nextAt = templateText.find(u"<!next>");
    const std::u16string_view head = std::u16string_view(templateText).substr(0, forAt);
    const std::u16string_view tail =
        std::u16string_view(templateText).substr(std::min(nextAt + 8, templateText.size()));
    if (!diary.text.starts_with(head) || !diary.text.ends_with(tail)) std::abort();
    std::vector<std::uint8_t> document;
    AppendDocumentBytes(diary.text, encoding, document);
    return 0;
}
