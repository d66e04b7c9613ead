#include "tools/lessongen/LessonContent.h"

namespace {

std::vector<LessonItem> Chart() {
    std::vector<LessonItem> items = {
        {"i", "see"},    {"ɪ", "sit"},   {"ɛ", "bed"},   {"æ", "cat"},     {"ɑr", "car"},  {"ɑ", "hot"},
        {"ɔ", "saw"},    {"ɔr", "for"},  {"ʊ", "book"},  {"u", "food"},    {"ʌ", "cup"},   {"ɜ", "bird"},
        {"ə", "about"},  {"ɚ", "sister"}, {"e", "name"}, {"aɪ", "five"},   {"aʊ", "now"},  {"o", "go"},
        {"ɔɪ", "boy"},   {"ɪr", "ear"},  {"ɛr", "hair"}, {"ʊr", "poor"},
    };
    const std::vector<LessonItem> consonants = {
        {"p", "pen"},   {"b", "bed"},    {"t", "ten"},   {"d", "dog"},   {"k", "key"},   {"g", "go"},
        {"tʃ", "chair"}, {"dʒ", "job"},  {"f", "fish"},  {"v", "van"},   {"θ", "think"}, {"ð", "this"},
        {"s", "sun"},   {"z", "zoo"},    {"ʃ", "she"},   {"ʒ", "pleasure"}, {"h", "hat"}, {"m", "man"},
        {"n", "no"},    {"ŋ", "sing"},   {"l", "leg"},   {"r", "red"},   {"j", "yes"},   {"w", "we"},
        {"hw", "what"},
    };
    for (LessonItem item : consonants) {
        item.consonant = true;
        items.push_back(item);
    }
    return items;
}

}  // namespace

const std::vector<Lesson>& Lessons() {
    static const std::vector<Lesson> lessons = {
        {'A', "国际音标", LessonKind::Chart, 650, 400, 102, 285061, Chart()},
        {'B', "发音规则", LessonKind::Rules, 540, 440, 122, 878377,
         {{"æ", "cat", "a"},
          {"e", "name", "a-e"},
          {"i", "see", "ee"},
          {"aɪ", "night", "igh"},
          {"tʃ", "chair", "ch"},
          {"ʃ", "ship", "sh"},
          {"θ", "think", "th"},
          {"ð", "this", "th"},
          {"ŋ", "sing", "ng"},
          {"ɑr", "car", "ar"},
          {"ɔr", "for", "or"},
          {"ɜ", "her bird turn", "er ir ur"},
          {"ɚ", "teacher", "-er"}}},
        {'C', "元音发音", LessonKind::Sounds, 540, 440, 25, 277068,
         {{"i", "see · eat"}, {"ɪ", "sit · it"}, {"ɛ", "bed · pen"}, {"æ", "cat · bad"}}},
        {'D', "元音发音", LessonKind::Sounds, 540, 440, 20, 301055,
         {{"ɑr", "car · star"}, {"ɑ", "hot · father"}, {"ɔ", "saw · law"}}},
        {'E', "元音发音", LessonKind::Sounds, 540, 440, 25, 420567,
         {{"ɔr", "for · horse"}, {"ʊ", "book · good"}, {"u", "food · too"}, {"ʌ", "cup · bus"}}},
        {'F', "元音发音", LessonKind::Sounds, 540, 440, 20, 298957,
         {{"ɜ", "bird · her"}, {"ə", "about · sofa"}, {"ɚ", "teacher · sister"}}},
        {'G', "元音发音", LessonKind::Sounds, 540, 440, 25, 877804,
         {{"e", "name · day"}, {"aɪ", "five · my"}, {"aʊ", "now · house"}, {"o", "go · home"}}},
        {'H', "元音发音", LessonKind::Sounds, 540, 440, 25, 261201,
         {{"ɔɪ", "boy · toy"}, {"ɪr", "ear · near"}, {"ɛr", "hair · care"}, {"ʊr", "poor · tour"}}},
        {'I', "辅音发音", LessonKind::Sounds, 540, 440, 25, 378342,
         {{"p", "pen"}, {"b", "bed"}, {"t", "ten"}, {"d", "dog"}}},
        {'J', "辅音发音", LessonKind::Sounds, 540, 440, 25, 462596,
         {{"k", "key"}, {"g", "go"}, {"tʃ", "chair"}, {"dʒ", "job"}}},
        {'K', "辅音发音", LessonKind::Sounds, 540, 440, 25, 629340,
         {{"f", "fish"}, {"v", "van"}, {"θ", "think"}, {"ð", "this"}}},
        {'L', "辅音发音", LessonKind::Sounds, 540, 440, 25, 301287,
         {{"s", "sun"}, {"z", "zoo"}, {"ʃ", "she"}, {"ʒ", "pleasure"}}},
        {'M', "辅音发音", LessonKind::Sounds, 540, 440, 25, 361316,
         {{"h", "hat"}, {"m", "man"}, {"n", "no"}, {"ŋ", "sing"}}},
        {'N', "辅音发音", LessonKind::Sounds, 540, 440, 15, 215263, {{"l", "leg"}, {"r", "red"}}},
        {'O', "辅音发音", LessonKind::Sounds, 540, 440, 20, 193049, {{"j", "yes"}, {"w", "we"}, {"hw", "what"}}},
        {'P', "重音规则", LessonKind::Stress, 540, 440, 185, 2012680,
         {{"双音节名词：重音多在第一音节", "ˈ[ta]·ble    ˈ[pen]·cil"},
          {"双音节动词：重音多在第二音节", "be·ˈ[gin]    re·ˈ[lax]"},
          {"-tion / -sion：重音在前一音节", "ˌin·for·ˈ[ma]·tion"},
          {"-ic：重音在前一音节", "ˌe·co·ˈ[nom]·ic"},
          {"复合名词：重音在第一部分", "ˈ[black]·board"},
          {"KK 音标的重音符号", "ˈ 主重音    ˌ 次重音"}}},
    };
    return lessons;
}
