#pragma once

#include <QLabel>

// A caption that behaves like a hyperlink: blue, with a pointing hand, and reporting a click.
// The text stays plain so that it reads the same to screen readers as on screen.
class LinkLabel : public QLabel
{
    Q_OBJECT

public:
    explicit LinkLabel(const QString& text, QWidget* parent = nullptr);

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool m_pressed = false;
};
