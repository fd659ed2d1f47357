#include "FakeMessenger.h"

void FakeMessenger::inform(const Message& message)
{
    shown.append(message);
}

bool FakeMessenger::confirm(const Message& message)
{
    shown.append(message);
    if (m_answers.isEmpty()) {
        ++unansweredQuestions;
        return false;
    }
    return m_answers.takeFirst();
}
