#include "app/start_options.h"

StartOptions ParseStartOptions(const std::vector<std::u16string>& words) {
    StartOptions options;
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::u16string& word = words[i];
        if (word == u"--help" || word == u"/?") {
            options.help = true;
        } else if (word == u"--diary" && i + 1 < words.size() && !words[i + 1].empty() && !options.diary) {
            options.diary = words[++i];
        } else if (word.starts_with(u"--diary=") && word.size() > 8 && !options.diary) {
            options.diary = word.substr(8);
        } else {
            options.understood = false;
        }
    }
    return options;
}
