#pragma once

#include "IniStore.h"
#include "Messenger.h"
#include "SystemInfo.h"

#include <QDialog>
#include <QStringList>
#include <QUrl>

#include <functional>

class LinkLabel;
class QLabel;
class QPushButton;

// The About box: product name, version, credits, the maker's links and the launcher of the
// system's own system-information program. Modal, created for each opening, keeps no state.
class Fen_APropos_Enreg : public QDialog
{
    Q_OBJECT

public:
    using LinkOpener = std::function<bool(const QUrl&)>;
    using ToolLauncher = std::function<bool(const SystemInfoTool&)>;

    Fen_APropos_Enreg(const IniStore& store, Messenger& messenger, const QString& version,
                      QWidget* parent = nullptr);

    // Seams for tests: what opens a link, where the system-information program is looked for
    // (empty: the system's own places) and what starts it.
    void setLinkOpener(LinkOpener opener) { m_linkOpener = std::move(opener); }
    void setToolSearchPaths(QStringList paths) { m_toolSearchPaths = std::move(paths); }
    void setToolLauncher(ToolLauncher launcher) { m_toolLauncher = std::move(launcher); }

    void Form_Load();
    void Form_Activate();
    void cmdOK_Click();
    void Fen_APropos_Bout_Info_Click();
    void Label1_Click();
    void Label3_Click();
    void StartSysInfo();
    // Hands the address to the desktop's mail program or browser; true when it was taken.
    bool Connect(const QString& address);

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void buildControls();
    int twipsWide(int twips) const;
    int twipsHigh(int twips) const;

    IniStore m_store;
    Messenger& m_messenger;
    QString m_version;
    LinkOpener m_linkOpener;
    QStringList m_toolSearchPaths;
    ToolLauncher m_toolLauncher;

    QLabel* m_picIcon = nullptr;
    QLabel* m_lblTitle = nullptr;
    QLabel* m_lblVersion = nullptr;
    QLabel* m_lblDescription = nullptr;
    QLabel* m_label2 = nullptr;
    LinkLabel* m_label3 = nullptr;
    LinkLabel* m_label1 = nullptr;
    QPushButton* m_cmdOK = nullptr;
    QPushButton* m_boutInfo = nullptr;
};
