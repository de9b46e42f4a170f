#pragma once

#include <QLabel>

class ClickableLabel;

// The raised square drawn around a clickable picture while the pointer is over it, behind
// the picture, 300 twips wide and high; hidden at first, and again once the pointer is over
// the bare window.
class HoverFrame : public QLabel
{
    Q_OBJECT
public:
    explicit HoverFrame(QWidget* window);

    // A clickable picture of the window, placed in twips, that the frame goes around.
    ClickableLabel* addPicture(const QString& name, const QString& tooltip, int left, int top,
                               int width, int height);
    // A hidden label that holds one of the pictures a control shows by its state.
    QLabel* addHolder(const QString& name, const QString& resource);

    // Shows the frame around the picture a label draws at its top left.
    void showAround(const QLabel* picture);
    // Where the frame stands when shown around that picture, so captions keep clear of it.
    static QRect placeAround(const QLabel* picture);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
