#pragma once

#include <QLabel>

// The raised square drawn around a clickable picture while the pointer is over it, behind
// the picture, 300 twips wide and high; hidden at first.
class HoverFrame : public QLabel
{
    Q_OBJECT
public:
    explicit HoverFrame(QWidget* window);

    // Shows the frame around the picture a label draws at its top left.
    void showAround(const QLabel* picture);
    // Where the frame stands when shown around that picture, so captions keep clear of it.
    static QRect placeAround(const QLabel* picture);
};
