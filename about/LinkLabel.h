#pragma once

#include <QLabel>

// A caption that behaves like a hyperlink: drawn in the palette's link colour, with a pointing
// hand, a stop of the keyboard order opened with Enter or Space, and the link role for assistive
// technology. The text stays plain so that it reads the same to screen readers as on screen.
class LinkLabel : public QLabel
{
    Q_OBJECT

public:
    explicit LinkLabel(const QString& text, QWidget* parent = nullptr);

    // Opens the link, as a click does.
    void activate() { emit clicked(); }

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    bool m_pressed = false;
};
