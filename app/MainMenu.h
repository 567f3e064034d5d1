#pragma once

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>

namespace trellon {

// The main window's menu: submenus and items under their own names.
struct MainMenu {
    QMenu* N1;  // File
    QAction* Open;
    QAction* Save;
    QAction* PrintForm;
    QAction* Exit;
    // Exports and the measured response.
    QAction* ExportChart;
    QAction* ExportCurves;
    QAction* ExportSpice;
    QAction* ExportTouchstone;
    QAction* ImportMeasured;
    // The project file.
    QAction* OpenProject;
    QAction* SaveProject;

    QMenu* Protocol;
    QAction* ViewProt;
    QAction* SaveProt;
    QAction* PrintProtocol;

    QMenu* View;
    QAction* FR;
    QAction* Log1;
    // The quantity the chart shows, one at a time.
    QActionGroup* Quantities;
    QAction* ViewAmplitude;
    QAction* ViewGroupDelay;
    QAction* ViewReturnLoss;
    QAction* ViewWideSpan;
    QAction* WideSpanWidth;

    QMenu* N4;  // frequency response
    QAction* BonusACH;
    QAction* ClearGrafic;
    QMenu* ZoomACH;
    QAction* PlusZoom;
    QAction* NormalZoom;
    QMenu* LevelACH;
    QAction* Otn_Level;
    QAction* Abs_Level;
    QAction* ZoomBack;

    QMenu* Servis;
    QAction* LsFo1;
    // Real crystals: the measured batch, the choice from it and the spread's effect.
    QAction* CrystalBatch;
    QAction* CrystalChoice;
    QAction* MonteCarlo;
    QAction* Bench;
    // A ladder of any order designed from the crystal.
    QAction* AnyOrder;
    // The filter as soldered, tuned live.
    QAction* Tuning;

    QAction* Calculate;
    QAction* N8;  // information
};

// Fills the bar with every item, caption, hint, check mark, enabled state and separator.
// "РАСЧЕТ" starts disabled.
MainMenu buildMainMenu(QMenuBar* bar);

}  // namespace trellon
