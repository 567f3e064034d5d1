#include "MainMenu.h"

namespace trellon {

namespace {

QAction* addItem(QWidget* owner, const char* name, const char* caption, const char* hint) {
    auto* action = new QAction(QString::fromUtf8(caption), owner);
    action->setObjectName(QString::fromUtf8(name));
    action->setStatusTip(QString::fromUtf8(hint));
    owner->addAction(action);
    return action;
}

QAction* addCheckItem(QWidget* owner, const char* name, const char* caption, const char* hint,
                      bool checked) {
    QAction* action = addItem(owner, name, caption, hint);
    action->setCheckable(true);
    action->setChecked(checked);
    return action;
}

QMenu* addSubmenu(QWidget* owner, const char* name, const char* caption, const char* hint) {
    auto* menu = new QMenu(QString::fromUtf8(caption), owner);
    menu->setObjectName(QString::fromUtf8(name));
    menu->menuAction()->setObjectName(QString::fromUtf8(name));
    menu->menuAction()->setStatusTip(QString::fromUtf8(hint));
    owner->addAction(menu->menuAction());
    return menu;
}

}  // namespace

MainMenu buildMainMenu(QMenuBar* bar) {
    MainMenu m{};
    m.N1 = addSubmenu(bar, "N1", "Файл", "File");
    m.Open = addItem(m.N1, "Open", "Открыть", "Open");
    m.Save = addItem(m.N1, "Save", "Сохранить", "Save");
    m.N1->addSeparator();
    m.PrintForm = addItem(m.N1, "PrintForm", "Печать формы", "Print Form");
    m.N1->addSeparator();
    m.Exit = addItem(m.N1, "Exit", "Выход", "Quiit");
    m.N1->addSeparator();
    m.ExportChart = addItem(m.N1, "ExportChart", "Экспорт графика...",
                            "Export the chart as a PNG, SVG or PDF file");
    m.ExportCurves =
        addItem(m.N1, "ExportCurves", "Экспорт кривых (CSV)...", "Export the drawn curves as CSV");
    m.ExportSpice = addItem(m.N1, "ExportSpice", "Экспорт схемы (SPICE)...",
                            "Export the design as a SPICE deck");
    m.ExportTouchstone = addItem(m.N1, "ExportTouchstone", "Экспорт S-параметров (Touchstone)...",
                                 "Export the design's S-parameters as a Touchstone .s2p file");
    m.ImportMeasured = addItem(m.N1, "ImportMeasured", "Импорт измерения (Touchstone)...",
                               "Draw a measured response from a Touchstone .s2p file");
    m.N1->addSeparator();
    m.OpenProject = addItem(m.N1, "OpenProject", "Открыть проект...",
                            "Open a project: the design, the crystal batch and the settings");
    m.SaveProject = addItem(m.N1, "SaveProject", "Сохранить проект...",
                            "Save the design, the crystal batch and the settings as a project");

    m.Protocol = addSubmenu(bar, "Protocol", "Протокол", "Log");
    m.ViewProt = addItem(m.Protocol, "ViewProt", "Показать", "Show Log");
    m.Protocol->addSeparator();
    m.SaveProt = addItem(m.Protocol, "SaveProt", "Сохранить", "Save Log");
    m.Protocol->addSeparator();
    m.PrintProtocol = addItem(m.Protocol, "PrintProtocol", "Распечатать", "Print Log");

    m.View = addSubmenu(bar, "View", "Вид", "");
    m.FR = addCheckItem(m.View, "FR", "АЧХ", "", false);
    m.Log1 = addCheckItem(m.View, "Log1", "Протокол", "", false);
    m.View->addSeparator();
    m.Quantities = new QActionGroup(m.View);
    m.ViewAmplitude =
        addCheckItem(m.View, "ViewAmplitude", "Амплитуда", "Show the amplitude response", true);
    m.ViewGroupDelay =
        addCheckItem(m.View, "ViewGroupDelay", "Групповое время", "Show the group delay", false);
    m.ViewReturnLoss = addCheckItem(m.View, "ViewReturnLoss", "Возвратные потери",
                                    "Show the input return loss", false);
    m.ViewWideSpan = addCheckItem(m.View, "ViewWideSpan", "Широкая полоса",
                                  "Show the amplitude response over a wide span", false);
    for (QAction* item : {m.ViewAmplitude, m.ViewGroupDelay, m.ViewReturnLoss, m.ViewWideSpan}) {
        m.Quantities->addAction(item);
    }
    m.WideSpanWidth = addItem(m.View, "WideSpanWidth", "Ширина широкой полосы...",
                              "Choose how far the wide span reaches on each side");

    m.N4 = addSubmenu(bar, "N4", "АЧХ", "Frequency Response");
    m.BonusACH =
        addCheckItem(m.N4, "BonusACH", "Наложения", "FR overlapping mode (up to 5 curves)", true);
    m.N4->addSeparator();
    m.ClearGrafic = addItem(m.N4, "ClearGrafic", "Очистить", "Clear");
    m.N4->addSeparator();
    m.ZoomACH = addSubmenu(m.N4, "ZoomACH", "Размер", "Size");
    m.PlusZoom = addItem(m.ZoomACH, "PlusZoom", "Большой", "Full size");
    m.NormalZoom = addItem(m.ZoomACH, "NormalZoom", "Нормальный", "Normal size");
    m.NormalZoom->setEnabled(false);
    m.LevelACH = addSubmenu(m.N4, "LevelACH", "Уроветь АЧХ", "FR Level");
    m.Otn_Level =
        addCheckItem(m.LevelACH, "Otn_Level", "Относительно Amin", "Relative to Amin", true);
    m.Abs_Level = addCheckItem(m.LevelACH, "Abs_Level", "Абсолютный", "Absolute", false);
    m.N4->addSeparator();
    m.ZoomBack = addItem(m.N4, "ZoomBack", "Исходный масштаб", "Zoom back (Ctrl+0)");
    m.ZoomBack->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_0));

    m.Servis = addSubmenu(bar, "Servis", "Инструменты", "Tools");
    m.LsFo1 =
        addItem(m.Servis, "LsFo1", " Расчет Ls иFo", "Ls and Fo Calculation from measurements");
    m.Servis->addSeparator();
    m.CrystalBatch = addItem(m.Servis, "CrystalBatch", "Партия кварцев...",
                             "Measured crystals and the filter built with them");
    m.CrystalChoice = addItem(m.Servis, "CrystalChoice", "Подбор кварцев из партии...",
                              "Choose the crystals and their positions from the batch");
    m.MonteCarlo = addItem(m.Servis, "MonteCarlo", "Разброс параметров (Монте-Карло)...",
                           "How the spread of real parts changes the filter");
    m.Bench = addItem(m.Servis, "Bench", "От расчета к плате...",
                      "Standard values, strays, 50-ohm match and the build sheet");
    m.AnyOrder = addItem(m.Servis, "AnyOrder", "Синтез любого порядка...",
                         "A ladder of 2 to 16 crystals with any common response");
    m.Tuning = addItem(m.Servis, "Tuning", "Настройка фильтра...",
                       "Change a capacitor, a trimmer or a crystal's Fs and watch the built curve");

    m.Calculate = addItem(bar, "Calculate", "РАСЧЕТ", "Calculate");
    m.Calculate->setEnabled(false);
    m.N8 = addItem(bar, "N8", "Инфо", "Info");
    return m;
}

}  // namespace trellon
