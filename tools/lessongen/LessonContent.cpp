#include "tools/lessongen/LessonContent.h"

namespace {

LessonItem Vowel(const char* symbol, Example first, Example second, const char* tip) {
    return {symbol, {first, second}, tip, "", false};
}

LessonItem Consonant(const char* symbol, Example first, Example second, const char* tip) {
    return {symbol, {first, second}, tip, "", true};
}

LessonItem Rule(const char* spelling, const char* symbol, std::vector<Example> examples) {
    return {symbol, std::move(examples), "", spelling, false};
}

LessonItem StressRule(const char* rule, std::vector<Example> examples) {
    return {"", std::move(examples), rule, "", false};
}

Lesson Sounds(char letter, const char* title, int frames, size_t size, std::vector<LessonItem> items) {
    return {letter, title, LessonKind::Sounds, 540, 440, frames, size, std::move(items)};
}

std::vector<Lesson> SoundLessons() {
    return {
        Sounds('C', "元音发音", 25, 277068,
               {Vowel("i", {"see", "si"}, {"eat", "it"}, "舌尖抵住下齿，舌前部抬高，嘴角向两边咧开，像微笑一样，声音拉长。"),
                Vowel("ɪ", {"sit", "sɪt"}, {"it", "ɪt"}, "和 /i/ 相似，但舌位稍低，肌肉放松，短促有力。"),
                Vowel("ɛ", {"bed", "bɛd"}, {"pen", "pɛn"}, "嘴半开，舌尖抵住下齿，舌前部稍抬起，嘴角略向两边拉。"),
                Vowel("æ", {"cat", "kæt"}, {"bad", "bæd"}, "嘴张大，嘴角向两边拉开，舌尖抵住下齿，舌前部压低。")}),
        Sounds('D', "元音发音", 20, 301055,
               {Vowel("ɑr", {"car", "kɑr"}, {"star", "stɑr"}, "先发 /ɑ/，嘴张大，再把舌尖向后卷起，带出 r 的音色。"),
                Vowel("ɑ", {"hot", "hɑt"}, {"father", "ˈfɑðɚ"}, "嘴张大，舌身放平后缩，像在喉咙里发“啊”。"),
                Vowel("ɔ", {"saw", "sɔ"}, {"law", "lɔ"}, "嘴张开呈圆形，双唇稍向前突出，舌后部抬起，声音饱满。")}),
        Sounds('E', "元音发音", 25, 420567,
               {Vowel("ɔr", {"for", "fɔr"}, {"horse", "hɔrs"}, "先发 /ɔ/，双唇收圆，再把舌尖卷起，带出 r 的音色。"),
                Vowel("ʊ", {"book", "bʊk"}, {"good", "gʊd"}, "双唇收圆，稍向前突出，舌后部抬起，短促放松。"),
                Vowel("u", {"food", "fud"}, {"too", "tu"}, "双唇收圆并向前突出，舌后部抬高，声音拉长。"),
                Vowel("ʌ", {"cup", "kʌp"}, {"bus", "bʌs"}, "嘴半开，舌身放平，舌中部稍抬起，短促有力。")}),
        Sounds('F', "元音发音", 20, 298957,
               {Vowel("ɜ", {"bird", "bɜd"}, {"her", "hɜ"}, "嘴半开，舌身居中，舌尖卷起，双唇略圆，声音拉长，重读。"),
                Vowel("ə", {"about", "əˈbaʊt"}, {"sofa", "ˈsofə"}, "嘴自然半开，舌身放松居中，轻而短，不重读。"),
                Vowel("ɚ", {"teacher", "ˈtitʃɚ"}, {"sister", "ˈsɪstɚ"}, "和 /ɜ/ 相似，舌尖卷起，但轻而短，只在不重读的音节里。")}),
        Sounds('G', "元音发音", 25, 877804,
               {Vowel("e", {"name", "nem"}, {"day", "de"}, "从 /ɛ/ 滑向 /ɪ/，嘴由半开到半合，前重后轻。"),
                Vowel("aɪ", {"five", "faɪv"}, {"my", "maɪ"}, "从 /a/ 滑向 /ɪ/，嘴由大开到半合，像汉语的“爱”。"),
                Vowel("aʊ", {"now", "naʊ"}, {"house", "haʊs"}, "从 /a/ 滑向 /ʊ/，嘴由大开到收圆，像汉语的“傲”。"),
                Vowel("o", {"go", "go"}, {"home", "hom"}, "从 /o/ 滑向 /ʊ/，双唇由圆到更圆，像汉语的“欧”。")}),
        Sounds('H', "元音发音", 25, 261201,
               {Vowel("ɔɪ", {"boy", "bɔɪ"}, {"toy", "tɔɪ"}, "从 /ɔ/ 滑向 /ɪ/，双唇由圆到扁，前重后轻。"),
                Vowel("ɪr", {"near", "nɪr"}, {"here", "hɪr"}, "先发 /ɪ/，再把舌尖卷起，带出 r 的音色。"),
                Vowel("ɛr", {"hair", "hɛr"}, {"care", "kɛr"}, "先发 /ɛ/，再把舌尖卷起，带出 r 的音色。"),
                Vowel("ʊr", {"poor", "pʊr"}, {"tour", "tʊr"}, "先发 /ʊ/，再把舌尖卷起，带出 r 的音色。")}),
        Sounds('I', "辅音发音", 25, 378342,
               {Consonant("p", {"pen", "pɛn"}, {"cup", "kʌp"}, "双唇紧闭，然后突然张开，让气流冲出，声带不振动。"),
                Consonant("b", {"bed", "bɛd"}, {"job", "dʒɑb"}, "口形和 /p/ 一样，但声带振动，气流较弱。"),
                Consonant("t", {"ten", "tɛn"}, {"cat", "kæt"}, "舌尖抵住上齿龈，然后突然放开，让气流冲出，声带不振动。"),
                Consonant("d", {"dog", "dɔg"}, {"red", "rɛd"}, "口形和 /t/ 一样，但声带振动。")}),
        Sounds('J', "辅音发音", 25, 462596,
               {Consonant("k", {"key", "ki"}, {"book", "bʊk"}, "舌后部抵住软腭，然后突然放开，让气流冲出，声带不振动。"),
                Consonant("g", {"go", "go"}, {"big", "bɪg"}, "口形和 /k/ 一样，但声带振动。"),
                Consonant("tʃ", {"chair", "tʃɛr"}, {"much", "mʌtʃ"}, "舌尖抵住上齿龈后部，双唇稍突出，气流冲开时带摩擦，声带不振动。"),
                Consonant("dʒ", {"job", "dʒɑb"}, {"page", "pedʒ"}, "口形和 /tʃ/ 一样，但声带振动。")}),
        Sounds('K', "辅音发音", 25, 629340,
               {Consonant("f", {"fish", "fɪʃ"}, {"five", "faɪv"}, "上齿轻咬下唇，气流从唇齿间摩擦而出，声带不振动。"),
                Consonant("v", {"van", "væn"}, {"love", "lʌv"}, "口形和 /f/ 一样，但声带振动。"),
                Consonant("θ", {"think", "θɪŋk"}, {"three", "θri"}, "舌尖轻放在上下齿之间，气流从舌齿间摩擦而出，声带不振动。"),
                Consonant("ð", {"this", "ðɪs"}, {"mother", "ˈmʌðɚ"}, "口形和 /θ/ 一样，但声带振动。")}),
        Sounds('L', "辅音发音", 25, 301287,
               {Consonant("s", {"sun", "sʌn"}, {"bus", "bʌs"}, "舌尖靠近上齿龈，气流从舌尖和齿龈之间摩擦而出，声带不振动。"),
                Consonant("z", {"zoo", "zu"}, {"is", "ɪz"}, "口形和 /s/ 一样，但声带振动，像蜜蜂的嗡嗡声。"),
                Consonant("ʃ", {"she", "ʃi"}, {"fish", "fɪʃ"}, "舌尖抬向上齿龈后部，双唇稍突出，气流摩擦而出，像“嘘”。"),
                Consonant("ʒ", {"pleasure", "ˈplɛʒɚ"}, {"television", "ˈtɛləˌvɪʒən"}, "口形和 /ʃ/ 一样，但声带振动。")}),
        Sounds('M', "辅音发音", 25, 361316,
               {Consonant("h", {"hat", "hæt"}, {"home", "hom"}, "口形随后面的元音而定，气流从喉咙轻轻呼出，不摩擦。"),
                Consonant("m", {"man", "mæn"}, {"time", "taɪm"}, "双唇紧闭，气流从鼻腔出来，声带振动。"),
                Consonant("n", {"no", "no"}, {"ten", "tɛn"}, "舌尖抵住上齿龈，气流从鼻腔出来，声带振动。"),
                Consonant("ŋ", {"sing", "sɪŋ"}, {"long", "lɔŋ"}, "舌后部抵住软腭，嘴张开，气流从鼻腔出来，声带振动。")}),
        Sounds('N', "辅音发音", 15, 215263,
               {Consonant("l", {"leg", "lɛg"}, {"ball", "bɔl"}, "舌尖抵住上齿龈，气流从舌的两侧出来，声带振动。"),
                Consonant("r", {"red", "rɛd"}, {"run", "rʌn"}, "舌尖向上卷起但不碰上颚，双唇稍圆，声带振动。")}),
        Sounds('O', "辅音发音", 20, 193049,
               {Consonant("j", {"yes", "jɛs"}, {"you", "ju"}, "舌前部抬向硬腭，迅速滑向后面的元音，声带振动。"),
                Consonant("w", {"we", "wi"}, {"way", "we"}, "双唇收圆并突出，迅速滑向后面的元音，声带振动。"),
                Consonant("hw", {"what", "hwɑt"}, {"white", "hwaɪt"}, "先轻轻送出气流，再做 /w/ 的口形，双唇收圆。")}),
    };
}

// The whole chart: every symbol of the sounds lessons with its first example, vowels
// before consonants, in the lessons' order.
std::vector<LessonItem> Chart(const std::vector<Lesson>& sounds) {
    std::vector<LessonItem> items;
    for (const bool consonants : {false, true})
        for (const auto& lesson : sounds)
            for (const auto& item : lesson.items)
                if (item.consonant == consonants) items.push_back({item.symbol, {item.examples.front()}, "", "", consonants});
    return items;
}

}  // namespace

const std::vector<Lesson>& Lessons() {
    static const std::vector<Lesson> lessons = [] {
        const std::vector<Lesson> sounds = SoundLessons();
        std::vector<Lesson> all = {
            {'A', "国际音标", LessonKind::Chart, 650, 400, 102, 285061, Chart(sounds)},
            {'B', "发音规则", LessonKind::Rules, 540, 440, 122, 878377,
             {Rule("a", "æ", {{"c[a]t", "kæt"}, {"b[a]g", "bæg"}}),
              Rule("a-e", "e", {{"n[a]m[e]", "nem"}, {"c[a]k[e]", "kek"}}),
              Rule("ee", "i", {{"s[ee]", "si"}, {"tr[ee]", "tri"}}),
              Rule("igh", "aɪ", {{"n[igh]t", "naɪt"}, {"l[igh]t", "laɪt"}}),
              Rule("ch", "tʃ", {{"[ch]air", "tʃɛr"}, {"mu[ch]", "mʌtʃ"}}),
              Rule("sh", "ʃ", {{"[sh]ip", "ʃɪp"}, {"fi[sh]", "fɪʃ"}}),
              Rule("th", "θ", {{"[th]ink", "θɪŋk"}, {"[th]ree", "θri"}}),
              Rule("th", "ð", {{"[th]is", "ðɪs"}, {"mo[th]er", "ˈmʌðɚ"}}),
              Rule("ng", "ŋ", {{"si[ng]", "sɪŋ"}, {"lo[ng]", "lɔŋ"}}),
              Rule("ar", "ɑr", {{"c[ar]", "kɑr"}, {"p[ar]k", "pɑrk"}}),
              Rule("or", "ɔr", {{"f[or]", "fɔr"}, {"h[or]se", "hɔrs"}}),
              Rule("er ir ur", "ɜ", {{"h[er]", "hɜ"}, {"b[ir]d", "bɜd"}, {"t[ur]n", "tɜn"}}),
              Rule("-er", "ɚ", {{"teach[er]", "ˈtitʃɚ"}, {"sist[er]", "ˈsɪstɚ"}})}},
            {'P', "重音规则", LessonKind::Stress, 540, 440, 185, 2012680,
             {StressRule("双音节名词，重音多在第一个音节。", {{"[ta]·ble", "ˈtebl"}, {"[pen]·cil", "ˈpɛnsl"}}),
              StressRule("双音节动词，重音多在第二个音节。", {{"be·[gin]", "bɪˈgɪn"}, {"re·[lax]", "rɪˈlæks"}}),
              StressRule("以 -tion、-sion 结尾的词，重音在它前面的音节。",
                         {{"in·for·[ma]·tion", "ˌɪnfɚˈmeʃən"}, {"de·[ci]·sion", "dɪˈsɪʒən"}}),
              StressRule("以 -ic 结尾的词，重音在它前面的音节。", {{"e·co·[nom]·ic", "ˌikəˈnɑmɪk"}, {"fan·[tas]·tic", "fænˈtæstɪk"}}),
              StressRule("复合名词，重音在第一部分。", {{"[black]·board", "ˈblækˌbɔrd"}, {"[class]·room", "ˈklæsˌrum"}}),
              StressRule("KK 音标把 ˈ 标在主重音音节前，ˌ 标在次重音音节前。",
                         {{"ed·u·[ca]·tion", "ˌɛdʒʊˈkeʃən"}, {"af·ter·[noon]", "ˌæftɚˈnun"}})}},
        };
        all.insert(all.begin() + 2, sounds.begin(), sounds.end());
        std::vector<Lesson> ordered;
        for (char letter = 'A'; letter <= 'P'; ++letter)
            for (const auto& lesson : all)
                if (lesson.letter == letter) ordered.push_back(lesson);
        return ordered;
    }();
    return lessons;
}
