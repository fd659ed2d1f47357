#include "DetailsController.h"

#include "CalculationDetails.h"
#include "DetailsWindow.h"
#include "Language.h"
#include "MainWindowSeam.h"
#include "WindowNotices.h"

DetailsController::DetailsController(MainWindowSeam& window, QObject* parent)
    : QObject(parent), m_window(window)
{
    const WindowNotices& notices = window.notices();
    connect(&notices, &WindowNotices::calculationShown, this, &DetailsController::refresh);
    connect(&notices, &WindowNotices::calculationForgotten, this, &DetailsController::hide);
    connect(&notices, &WindowNotices::inputsChanged, this, &DetailsController::followInputs);
    connect(&notices, &WindowNotices::languageChanged, this, [this] {
        if (m_details)
            m_details->setEnglish(isEnglish(m_window.languageCode()));
    });
}

void DetailsController::open()
{
    const std::optional<CalculationInput> shown = m_window.shownCalculation();
    if (!shown)
        return;
    showCalculation(*shown, scheduleInUse ? scheduleInUse() : QString());
    m_followsResults = true;
    m_details->setOutOfDate(m_window.resultsOutOfDate());
    m_details->showBeside(*m_window.ownerWindow(), m_window.fieldsArea());
}

void DetailsController::open(const CalculationInput& input, const QString& scheduleName)
{
    showCalculation(input, scheduleName);
    m_followsResults = false;
    m_details->setOutOfDate(false);
    m_details->showBeside(*m_window.ownerWindow(), m_window.fieldsArea());
}

void DetailsController::showCalculation(const CalculationInput& input, const QString& scheduleName)
{
    if (!m_details) {
        m_details = new DetailsWindow(m_window.ownerWindow());
        // Ctrl+Q quits from the details too.
        m_details->addActions(m_window.windowWideActions());
    }
    m_details->setEnglish(isEnglish(m_window.languageCode()));
    m_details->setScheduleName(scheduleName);
    if (const std::optional<CalculationDetails> details = explainCalculation(input))
        m_details->showCalculation(*details);
}

void DetailsController::refresh()
{
    if (!m_details || !m_details->isVisible() || !m_followsResults)
        return;
    const std::optional<CalculationInput> shown = m_window.shownCalculation();
    if (!shown)
        return;
    showCalculation(*shown, scheduleInUse ? scheduleInUse() : QString());
    m_details->setOutOfDate(m_window.resultsOutOfDate());
}

void DetailsController::followInputs()
{
    if (m_details && m_followsResults)
        m_details->setOutOfDate(m_window.resultsOutOfDate());
}

void DetailsController::hide()
{
    if (m_details && m_followsResults)
        m_details->hide();
}
