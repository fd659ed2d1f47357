#include "PositionsController.h"

#include "Language.h"
#include "MainWindowSeam.h"
#include "Messenger.h"
#include "PositionStore.h"
#include "PositionTexts.h"
#include "PositionsWindow.h"
#include "WindowNotices.h"

#include <QDir>

using namespace Qt::StringLiterals;

namespace {

QString stateText(StoreState state, const QString& path, bool english)
{
    const QString file = QDir::toNativeSeparators(path);
    switch (state) {
    case StoreState::Newer:
        return pick(
            english,
            u"Le fichier des positions "_s + file +
                u" vient d'une version plus récente du programme : il est laissé tel quel."_s,
            u"The positions file "_s + file +
                u" comes from a newer version of the program: it is left as it is."_s);
    case StoreState::Damaged:
        return pick(english,
                    u"Le fichier des positions "_s + file +
                        u" est endommagé ou n'en est pas un : il est laissé tel quel."_s,
                    u"The positions file "_s + file +
                        u" is damaged or is not one: it is left as it is."_s);
    default:
        return pick(english, u"Le fichier des positions "_s + file + u" ne peut pas être ouvert."_s,
                    u"The positions file "_s + file + u" cannot be opened."_s);
    }
}

} // namespace

PositionsController::PositionsController(QString settingsPath, Messenger& messenger,
                                         MainWindowSeam& seam, DetailsOpener openDetails,
                                         QObject* parent)
    : QObject(parent), m_settingsPath(std::move(settingsPath)), m_messenger(messenger),
      m_seam(seam), m_openDetails(std::move(openDetails))
{}

PositionsController::~PositionsController()
{
    // The window reads the store until it goes.
    delete m_window;
}

void PositionsController::open()
{
    const bool english = isEnglish(m_seam.languageCode());
    if (!m_store)
        m_store = std::make_unique<PositionStore>(PositionStore::pathBeside(m_settingsPath));
    const StoreState state = m_store->open();
    if (state != StoreState::Ready) {
        m_messenger.inform(positionsMessage(stateText(state, m_store->path(), english), english));
        return;
    }
    if (!m_window) {
        m_window = new PositionsWindow(*m_store, m_settingsPath, m_messenger, m_seam, m_openDetails,
                                       m_seam.ownerWindow());
        m_window->resize(1100, 600);
        m_window->addActions(m_seam.windowWideActions());
        // The captions are set as the window is built: a new language builds it again, where
        // it was and on the same position, since every change is already in the store.
        connect(&m_seam.notices(), &WindowNotices::languageChanged, m_window, [this] {
            const bool shown = m_window->isVisible();
            const QRect geometry = m_window->geometry();
            const std::optional<Position> selected = m_window->selectedPosition();
            const bool closedShown = m_window->showsClosed();
            m_window->deleteLater();
            m_window = nullptr;
            if (!shown)
                return;
            open();
            m_window->setGeometry(geometry);
            m_window->setShowClosed(closedShown);
            if (selected)
                m_window->selectPosition(selected->name);
        });
    } else {
        m_window->reload();
    }
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
}

PositionsWindow* PositionsController::window() const
{
    return m_window;
}
