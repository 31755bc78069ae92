#include "sync/page_merge.h"

#include "diarycore/picture_bytes.h"
#include "sync/classification_merge.h"
#include "sync/picture_merge.h"
#include "sync/text_merge.h"

namespace {

using Pixels = std::vector<std::uint8_t>;

const DayRecord& RecordOf(const DayPage& page) {
    static const DayRecord empty;
    return page.record ? *page.record : empty;
}

const Pixels& PictureOf(const DayPage& page) { return page.picture ? *page.picture : BlankPicturePixels(); }

bool SameRecord(const std::optional<DayRecord>& a, const std::optional<DayRecord>& b) {
    if (!a || !b) return a.has_value() == b.has_value();
    return a->text == b->text && a->weather == b->weather && a->mood == b->mood && a->place == b->place &&
           a->extraHeader == b->extraHeader;
}

PageParts PartsDiffering(const DayPage& merged, const DayPage& side) {
    const DayRecord& a = RecordOf(merged);
    const DayRecord& b = RecordOf(side);
    PageParts parts;
    parts.text = a.text != b.text;
    parts.weather = a.weather != b.weather;
    parts.mood = a.mood != b.mood;
    parts.place = a.place != b.place;
    parts.record = !SameRecord(merged.record, side.record);
    parts.picture = merged.picture != side.picture;
    return parts;
}

// Pictures that are not one picture's pixel bytes (a bitmap from elsewhere handed over
// as it is) are merged whole: a side that changed it gives it, and where both did, ours.
// True when both did.
bool MergeWholePictures(const DayPage& base, const DayPage& ours, const DayPage& theirs, Pixels& merged) {
    const bool theirsChanged = theirs.picture != base.picture && theirs.picture != ours.picture;
    merged = theirsChanged && ours.picture == base.picture ? PictureOf(theirs) : PictureOf(ours);
    return theirsChanged && ours.picture != base.picture;
}

}  // namespace

MergedPage MergeDayPage(const DayPage& base, const DayPage& ours, const DayPage& theirs) {
    MergedPage result;
    PageMergeSummary& summary = result.summary;

    if (ours.record || theirs.record) {
        const DayRecord& b = RecordOf(base);
        const DayRecord& o = RecordOf(ours);
        const DayRecord& t = RecordOf(theirs);
        DayRecord record;
        record.extraHeader = ours.record ? o.extraHeader : t.extraHeader;
        const MergedText text =
            base.record ? MergeDayText(b.text, o.text, t.text) : MergeDayTextWithoutBase(o.text, t.text);
        record.text = text.text;
        summary.textConflicted = text.conflicted;
        const MergedClassification weather = MergeClassification(b.weather, o.weather, t.weather);
        const MergedClassification mood = MergeClassification(b.mood, o.mood, t.mood);
        const MergedClassification place = MergeClassification(b.place, o.place, t.place);
        record.weather = weather.value;
        record.mood = mood.value;
        record.place = place.value;
        summary.classificationsConflicted = weather.conflicted || mood.conflicted || place.conflicted;
        result.page.record = std::move(record);
    }

    if (ours.picture || theirs.picture) {
        // A base that is no picture's pixel bytes is no help: as though there were none.
        const bool basePixels = base.picture && base.picture->size() == kPicturePixelBytes;
        MergedPicture picture = basePixels ? MergePicture(*base.picture, PictureOf(ours), PictureOf(theirs))
                                           : MergePictureWithoutBase(PictureOf(ours), PictureOf(theirs));
        summary.conflictedPixels = picture.conflictedPixels;
        summary.pictureConflicted = picture.conflictedPixels > 0;
        if (picture.pixels.empty()) summary.pictureConflicted = MergeWholePictures(base, ours, theirs, picture.pixels);
        result.page.picture = std::move(picture.pixels);
    }

    summary.differsFromOurs = PartsDiffering(result.page, ours);
    summary.differsFromTheirs = PartsDiffering(result.page, theirs);
    return result;
}
