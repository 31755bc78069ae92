// Makes a diary folder for the measurements that run the program under Wine:
//
//   make-diary FOLDER DAYS YYYY-MM-DD [PICTURE.bmp]
//
// DAYS days of pages ending on the date, each a record and a picture; the pictures are
// links to PICTURE.bmp, or to one drawing of the diary's own kind without it. A folder
// that already holds the last day's record is left as it is.
#include <cstdio>
#include <string>

#include "bench/diary_folder.h"

int main(int argc, char** argv) {
    int year = 0, month = 0, day = 0;
    if (argc < 4 || argc > 5 || std::sscanf(argv[3], "%d-%d-%d", &year, &month, &day) != 3) {
        std::fprintf(stderr, "usage: make-diary FOLDER DAYS YYYY-MM-DD [PICTURE.bmp]\n");
        return 64;
    }
    const DayKey last{year, month, day, WeekdayOfDate(year, month, day)};
    const DiaryPictures pictures = argc == 5 ? DiaryPictures::Given : DiaryPictures::Drawing;
    if (!MakeDiaryFolder(argv[1], last, std::stoi(argv[2]), pictures, argc == 5 ? argv[4] : "")) {
        std::fprintf(stderr, "make-diary: cannot make the diary in %s\n", argv[1]);
        return 1;
    }
    return 0;
}
