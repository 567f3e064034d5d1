#pragma once

// The captions and messages of the crystal batch and Monte-Carlo windows.
namespace trellon::texts {

// --- the batch window ------------------------------------------------------------------------

inline constexpr const char* kBatchWindowTitle = "Партия кварцев";
inline constexpr const char* kCrystalFileFilters = "CSV (*.csv);;Все файлы (*)";
inline constexpr const char* kSweepFileFilters =
    "Измерения (*.s2p *.csv);;Touchstone (*.s2p);;CSV (*.csv);;Все файлы (*)";

inline constexpr const char* kAddCrystal = "Добавить";
inline constexpr const char* kRemoveCrystals = "Удалить";
inline constexpr const char* kImportBatch = "Импорт CSV...";
inline constexpr const char* kSaveBatch = "Сохранить CSV...";
inline constexpr const char* kPlaceCrystals = "Разместить";
inline constexpr const char* kShowBuilt = "Показать собранный фильтр";
inline constexpr const char* kRecentreDesign = "Центрировать расчет на них";
inline constexpr const char* kPlacementCaption = "Расстановка:";
inline constexpr const char* kChoiceCaption = "Подбор из партии:";
inline constexpr const char* kNothingPlaced = "—";

// The batch table's column heads and its check of the names.
inline constexpr const char* kCrystalColumns[] = {
    "Имя", "Fs, кГц", "Lm, мГн", "Rm, Ом", "C0, пФ", "Q", "Невязка", "Замечания", "Паразитные"};
// A fitted crystal's remarks: the mark and count in the cell, the reasons in its tooltip.
inline constexpr const char* kFitRemarksMark = "⚠ %1";
inline constexpr const char* kFitRemarksHead = "Подгонке нельзя вполне доверять:";
inline constexpr const char* kFitRemarksNone = "Подгонка без замечаний";
inline constexpr const char* kSpuriousColumnTip =
    "Паразитные резонансы кварца: их число; смещение от Fs, Lm и Rm каждого - в подсказке ячейки";
inline constexpr const char* kSpuriousModeTip = "Fs + %1 кГц: Lm %2 мГн, Rm %3 Ом";
inline constexpr const char* kTableRow = "Строка %1: ";
inline constexpr const char* kBadCrystalName = "имя кварца пусто или повторяется.";

inline constexpr const char* kNoCalculatedDesign =
    "Нет рассчитанного фильтра: сначала выполните РАСЧЕТ.";
inline constexpr const char* kTooFewCrystals = "В партии меньше кварцев, чем нужно фильтру: ";
inline constexpr const char* kChooseCrystalCount =
    "Выделите столько кварцев, сколько их в фильтре: ";
inline constexpr const char* kNoPlacement = "Кварцы не расставлены по позициям.";
inline constexpr const char* kNoChoiceToApply = "Подбор еще не выполнен.";
inline constexpr const char* kPlacementOutsideBatch =
    "В расстановке есть кварцы, которых нет в партии: разместите кварцы заново.";

// --- the choice of crystals ------------------------------------------------------------------

inline constexpr const char* kChooseCrystals = "Подобрать";
inline constexpr const char* kCancel = "Отмена";
inline constexpr const char* kApplyChoice = "Применить подбор";
inline constexpr const char* kDecibelSuffix = " дБ";
inline constexpr const char* kExhaustiveSearch = "перебраны все расстановки.";
inline constexpr const char* kHeuristicSearch =
    "не полный перебор: симметричные расстановки соседних по Fs "
    "кварцев, затем перестановки и замены, пока мера уменьшается.";
inline constexpr const char* kChoiceSummary =
    "\nМера подбора: %1; простой выбор (наименьший разброс Fs): %2 (";
inline constexpr const char* kChoiceSearch = ").\nПоиск: ";

// The chart of a crystal's sweep and its fitted model.
inline constexpr const char* kSweepFitTitle = "Подгонка кварца ";
inline constexpr const char* kSweepFitAxis = "Частота, кГц";
inline constexpr const char* kSweepFitLevelAxis = "|S21|, дБ";

// What the choice minimises, in the builder's terms: the choice of measure and what each means.
inline constexpr const char* kChoiceMeasureCaption = "Мера подбора:";
inline constexpr const char* kShapeMeasureItem = "форма АЧХ (общий сдвиг не в счет)";
inline constexpr const char* kAbsoluteMeasureItem = "отклонение от расчета";
inline constexpr const char* kShapeMeasure =
    "Мера: наибольшее отклонение (дБ) затухания собранного фильтра от идеальной АЧХ "
    "в полосе пропускания по уровню после наилучшего общего сдвига по частоте и по уровню; "
    "меньше - лучше кварцы подобраны друг к другу.";
inline constexpr const char* kChoiceMeasure =
    "Мера: наибольшее отклонение (дБ) затухания собранного фильтра от идеальной АЧХ "
    "в полосе пропускания по уровню; меньше - ближе к расчету.";
// After the shape measure: the shift and the level offset it was taken at.
inline constexpr const char* kChoiceShift = " (сдвиг %1 Гц, по уровню %2)";

// --- the fit of crystals to VNA sweeps -------------------------------------------------------

inline constexpr const char* kFitSweeps = "Из файлов измерений...";
inline constexpr const char* kShowFit = "Показать подгонку";
inline constexpr const char* kFromFile = "из файла";
inline constexpr const char* kFixtureOhmCaption = "Оснастка, Ом:";
inline constexpr const char* kFixtureLossCaption = "потери, дБ:";
inline constexpr const char* kMeasuredSuffix = " измерено";
inline constexpr const char* kFittedSuffix = " подгонка";
inline constexpr const char* kFitFailedFiles = "Кварцы из этих файлов не добавлены:";
inline constexpr const char* kNoFittedCrystal =
    "Выделите кварц, подогнанный по файлу Touchstone в этом окне.";
inline constexpr const char* kBadFixtureOhm =
    "Сопротивление оснастки: положительное число Ом или пусто (из файла).";
inline constexpr const char* kBadFixtureLoss = "Потери оснастки: от 0 до 100 дБ.";

// --- a crystal measured in an oscillator at two load capacitances ----------------------------

inline constexpr const char* kFromOscillator = "Из генератора...";
inline constexpr const char* kShiftTitle = "Кварц, измеренный в генераторе";
inline constexpr const char* kShiftExplanation =
    "Частоты генератора с кварцем при двух эффективных ёмкостях нагрузки (с монтажом), "
    "C0 кварца и Rm, найденное заменой резистором. Ёмкости должны различаться не меньше чем "
    "на 5 % от суммы C0 и меньшей из них.";
inline constexpr const char* kShiftFields[] = {"Имя",     "F1, кГц", "F2, кГц", "CL1, пФ",
                                               "CL2, пФ", "C0, пФ",  "Rm, Ом"};
inline constexpr const char* kShiftAdd = "Добавить в партию";
inline constexpr const char* kShiftNameTaken = "Имя кварца пусто или уже есть в партии.";
inline constexpr const char* kShiftClose = "Закрыть";

// --- the Monte-Carlo window ------------------------------------------------------------------

inline constexpr const char* kMonteCarloWindowTitle = "Разброс параметров (Монте-Карло)";
inline constexpr const char* kSpreadGroup = "Разброс параметров";
inline constexpr const char* kSamplingGroup = "Испытания";
inline constexpr const char* kTargetGroup = "Требования";
inline constexpr const char* kRun = "Пуск";
inline constexpr const char* kAroundUnknown =
    "Схема: размещенные кварцы, если они есть, иначе номинальные";
inline constexpr const char* kAroundNominal = "Схема: номинальные кварцы";
inline constexpr const char* kAroundPlaced = "Схема: размещенные кварцы (";
inline constexpr const char* kBandwidthHz = "Полоса, Гц";
inline constexpr const char* kRippleDb = "Неравномерность, дБ";
inline constexpr const char* kLossDb = "Потери, дБ";
inline constexpr const char* kYield = "Выход годных: %1 % (%2 из %3)";
inline constexpr const char* kTooManySampledLevels =
    "произведение числа испытаний на число точек по частоте не должно превышать %1";

// The envelopes of the samples drawn on the chart.
inline constexpr const char* kEnvelopeCaptions[] = {"МК 5 %", "МК 50 %", "МК 95 %"};

// --- importing into a batch, a crystal put by hand -----------------------------------
inline constexpr const char* kImportQuestion =
    "В таблице уже есть кварцы. Заменить партию кварцами из файла или добавить их к ней?\n"
    "При замене подогнанные кварцы и расстановка теряются.";
inline constexpr const char* kImportReplace = "Заменить";
inline constexpr const char* kImportAppend = "Добавить";

inline constexpr const char* kPositionHint = "The position the selected crystal is put into";
inline constexpr const char* kPutIntoPosition = "В позицию";
inline constexpr const char* kPutIntoPositionHint =
    "Put the selected crystal into the chosen position; the crystal standing there takes its "
    "place";
inline constexpr const char* kSelectOneCrystal = "Выделите один кварц для этой позиции.";

}  // namespace trellon::texts
