#pragma once

class QAction;
class QMenu;
class QMenuBar;
class QString;

// The main window's menu items, named after the controls they stand for.
struct MainMenu
{
    QMenu* fichier = nullptr;
    QAction* calculer = nullptr;
    QAction* detailCalcul = nullptr;
    QAction* comparerBaremes = nullptr;
    QAction* effacerLesDonnees = nullptr;
    QAction* effacerLesFrais = nullptr;
    QAction* quitter = nullptr;
    QAction* francais = nullptr;
    QAction* anglais = nullptr;
    QAction* tauxImposition = nullptr;
    QAction* arrondiSuperieur = nullptr;
    QAction* aPropos = nullptr;
};

// Fills the bar with the menus and their items, captioned in French.
MainMenu buildMainMenu(QMenuBar* bar);

// A capability's item in the Fichier menu, after the other capabilities' items and before the
// commands that clear the pages.
QAction* addCapabilityItem(const MainMenu& menu, const QString& objectName, const QString& caption);
