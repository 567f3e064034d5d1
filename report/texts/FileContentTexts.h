#pragma once

// The window's wording of why a file's content, a sweep's fit or a batch is refused, by the ids
// of the English phrases (io/ReadPhrases.h, engine/fit/FitPhrases.h,
// engine/real_crystals/CrystalPhrases.h, engine/fit/OscillatorShiftPhrases.h); "%1", "%2", ...
// are the same arguments. A quoted argument is shown in the quotes below.
namespace trellon::texts {

// "Не удалось прочитать файл партии кварцев «x.csv», строка 12: <why>"; without a line, the
// message of FailureTexts.h's kCannotRead.
inline constexpr const char* kCannotReadLine = "Не удалось прочитать %1 «%2», строка %3: %4";

inline constexpr const char* kOpenQuote = "«";
inline constexpr const char* kCloseQuote = "»";
inline constexpr const char* kBytes = "байт";

// The files by the kind the reader gives them.
struct FileKindText {
    const char* engine;
    const char* window;
};
inline constexpr FileKindText kFileKinds[] = {{"crystal batch", "файл партии кварцев"},
                                              {"Touchstone file", "файл Touchstone"},
                                              {"project file", "файл проекта"},
                                              {"sweep CSV", "файл измерения CSV"}};

struct PhraseText {
    const char* id;
    const char* window;
};
inline constexpr PhraseText kPhrases[] = {
    // --- the crystal batch's CSV ---
    {"csv-empty", "файл пуст"},
    {"csv-no-crystals", "в файле нет кварцев"},
    {"csv-name-used", "имя %1 уже занято в строке %2"},
    {"csv-quote-open", "значение в кавычках не закрыто"},
    {"csv-text-after-quote", "после значения в кавычках идёт текст"},
    {"csv-no-name-column", "в заголовке нет столбца «name» или «XTAL»"},
    {"csv-unknown-column", "неизвестный столбец %1"},
    {"csv-column-twice", "столбец %1 встречается дважды"},
    {"csv-column-missing", "нет столбца «%1»"},
    {"csv-columns-missing", "нет столбца «%1» или «%2»"},
    {"csv-value-missing", "нет значения в столбце «%1»"},
    {"csv-values-missing", "нет значений ни в столбце «%1», ни в столбце «%2»"},
    {"csv-not-a-number", "%1 в столбце %2 - не число"},
    {"csv-more-values", "значений больше, чем столбцов"},
    {"csv-name-line-break", "имя содержит перевод строки"},
    {"csv-cm-not-positive", "Cm должна быть больше 0"},
    {"csv-cm-disagrees", "Cm %1 фФ отличается больше чем на 1 % от %2 фФ, которые дают Fs и Lm"},
    {"csv-spur-partial",
     "паразитному резонансу нужны все три значения «%1», «%2» и «%3» или ни одного"},
    {"csv-write-name-line-break", "имя кварца %1 содержит перевод строки"},
    // --- the Touchstone file ---
    {"ts-version-2", "ключевое слово %1 относится ко 2-й версии формата, она не читается"},
    {"ts-second-options", "вторая строка параметров"},
    {"ts-options-after-data", "строка параметров идёт после данных"},
    {"ts-not-s", "читаются только S-параметры, а не %1"},
    {"ts-no-resistance", "в строке параметров после R нужно положительное сопротивление"},
    {"ts-unknown-word", "в строке параметров неизвестное слово %1"},
    {"ts-not-a-number", "%1 - не число"},
    {"ts-bad-break",
     "строка кончается после %1 из 9 чисел записи; запись четырёхполюсника "
     "переносится только после S21 или S12"},
    {"ts-short-record", "в последней записи %1 из 9 чисел"},
    {"ts-frequency-range", "частота вне допустимого диапазона"},
    {"ts-frequencies-order", "частоты не возрастают"},
    {"ts-frequency-repeats",
     "частота повторяет предыдущую: в файле слишком мало знаков для его шага"},
    {"ts-value-range", "значение вне допустимого диапазона"},
    {"ts-no-data", "в файле нет данных"},
    {"ts-write-too-large",
     "значение слишком велико для файла Touchstone в формате «модуль и угол»"},
    // --- a sweep's CSV ---
    {"sweep-csv-frequency-column",
     "в заголовке нужен один столбец частоты: «frequency_hz», «frequency_khz» или «frequency_mhz»"},
    {"sweep-csv-level-column", "в заголовке нужен один столбец уровня: «s21_db» или «loss_db»"},
    {"sweep-csv-s21-positive",
     "s21_db %1 больше 0 дБ; потери - это отрицательный s21_db или положительный loss_db"},
    {"sweep-csv-loss-negative",
     "loss_db %1 меньше 0 дБ; потери - это положительный loss_db или отрицательный s21_db"},
    // --- a sweep's fit ---
    {"sweep-fit", "Не удалось подобрать кварц по файлу «%1»"},
    {"sweep-name-line-break", "Не удалось назвать кварц из %1: имя файла содержит перевод строки"},
    {"fit-missing-values", "в измерении не хватает значений"},
    {"fit-few-points", "в измерении %1 точек, а для подбора нужно не меньше %2"},
    {"fit-not-finite", "в измерении есть значение, не являющееся конечным числом"},
    {"fit-frequencies", "частоты измерения должны быть положительны и возрастать"},
    {"fit-port", "сопротивление порта оснастки должно быть положительным числом"},
    {"fit-loss", "потери оснастки должны быть от 0 до 100 дБ"},
    {"fit-edge", "в измерении нет резонанса: наименьшие потери на его краю"},
    {"fit-no-rise",
     "в измерении нет резонанса: рядом с наименьшими потерями они не растут на 3 дБ"},
    {"fit-no-bandwidth", "в измерении нет резонанса: его полосу по уровню 3 дБ не измерить"},
    {"fit-iterations", "подбор не сходится за %1 итераций"},
    {"fit-overflow", "подбор не сходится: значения схемы выходят за пределы чисел"},
    {"fit-leaves-sweep", "подбор не сходится: резонанс уходит за пределы измерения"},
    {"fit-unusable", "подобранный кварц нельзя использовать"},
    {"fit-loss-too-high",
     "потери оснастки %1 дБ больше, чем допускает измерение: его пик на %2 дБ выше собственного "
     "уровня оснастки, для этого Rm должно быть не больше 0"},
    {"warn-residual", "среднеквадратичная невязка %1 в %2 раз больше шума измерения %3"},
    {"warn-at-bound", "%1 = %2 на границе области поиска"},
    {"warn-c0-small", "C0 = %1 пФ не больше 0,1 пФ"},
    {"warn-q-range", "Q = %1 вне пределов от 1e3 до 1e7"},
    {"warn-fs-near-edge", "Fs в %1 Гц от края измерения, ближе трёх полос по уровню 3 дБ (%2 Гц)"},
    {"warn-spurious", "в измерении паразитный резонанс на %1 кГц выше Fs"},
    {"warn-spur-sparse",
     "в полосе по уровню 3 дБ паразитного резонанса на %1 кГц выше Fs лишь %2 точек измерения; "
     "нужно не меньше 3"},
    // --- a crystal and a batch ---
    {"crystal-fs-range", "Fs должна быть от 10 кГц до 500 МГц"},
    {"crystal-lm-range", "Lm должна быть от 1 мкГн до 100 Гн"},
    {"crystal-rm-range", "Rm должно быть больше 1 мОм и меньше 100 кОм"},
    {"crystal-c0-range", "C0 должна быть от 0 до 1000 пФ"},
    {"spur-count", "у кварца может быть не больше 3 паразитных резонансов"},
    {"spur-offset-range", "паразитный резонанс должен лежать выше Fs не больше чем на 10 % от Fs"},
    {"spur-lm-range", "Lm паразитного резонанса должна быть от 1 мкГн до 100 Гн"},
    {"spur-rm-range", "Rm паразитного резонанса должно быть больше 1 мОм и меньше 100 кОм"},
    {"spur-too-many",
     "с паразитными резонансами кварцев в фильтре больше элементов, чем можно рассчитать; "
     "оставьте кварцам меньше паразитных резонансов"},
    {"spur-order", "паразитные резонансы идут по возрастанию, без двух на одной частоте"},
    {"batch-one-per-position", "фильтру нужно %1 кварцев, по одному на позицию"},
    {"batch-file-one-per-position", "фильтру нужно %1 кварцев, по одному на позицию; в файле %2"},
    {"batch-file-too-few", "фильтру нужно не меньше %1 кварцев для подбора; в файле %2"},
    {"batch-too-few", "в партии меньше кварцев, чем нужно фильтру: %1"},
    {"built-not-finite", "у собранного фильтра нет конечных потерь, полосы или затухания на Fo"},
    {"mc-settings-range", "параметры Монте-Карло вне допустимого диапазона"},
    {"mc-sample-not-finite",
     "у испытания %1 Монте-Карло нет конечных потерь, неравномерности или полосы"},
    // --- a crystal measured in an oscillator ---
    {"shift-frequency-positive", "F1 и F2 должны быть больше 0 кГц"},
    {"shift-load-positive", "CL1 и CL2 должны быть больше 0 пФ"},
    {"shift-load-step",
     "CL1 и CL2 должны различаться не меньше чем на 5 % от суммы C0 и меньшей из них; при более "
     "близких ёмкостях Fs определяет ошибка частотомера"},
    {"shift-order", "частота при большей ёмкости нагрузки должна быть ниже"},
    {"shift-no-crystal", "ни один кварц не генерирует на этих двух частотах при этих нагрузках"},
};

}  // namespace trellon::texts
