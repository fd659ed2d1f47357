#pragma once

class QWidget;

// Gives every control under root whose caption follows the language or the profit type the width
// of its widest caption, so that a change of caption moves nothing on the window.
void reserveCaptionWidths(QWidget* root);
