// libFuzzer target for the template engine: any template and any record bytes expand
// without a crash or an out-of-bounds access, and a written document always begins
// with the template's head and ends with its tail.
//
// Input: one byte of settings (bit 0 the JPEG flag, bit 1 a picture on every day,
// bits 2-3 the day count less one), one byte giving the template's length, the
// template in whichever encoding it shows (UTF-8 or code page 932), then the record
// bytes every day reads. The document is encoded back as the export would write it.
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
    const std::u16string_view tail = std::u16string_view(templateText).substr(std::min(nextAt + 8, templateText.size()));
    if (!diary.text.starts_with(head) || !diary.text.ends_with(tail)) std::abort();
    std::vector<std::uint8_t> document;
    AppendDocumentBytes(diary.text, encoding, document);
    return 0;
}
