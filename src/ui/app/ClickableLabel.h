#pragma once

#include <QLabel>

// A label or picture that answers clicks and reports the mouse moving over it. A caption with
// an access key (and a buddy, which makes QLabel show and take the key) is clicked by the key.
class ClickableLabel : public QLabel
{
    Q_OBJECT
public:
    explicit ClickableLabel(QWidget* parent = nullptr);

Q_SIGNALS:
    void clicked();
    void mouseMoved();

protected:
    bool event(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    // A picture is drawn as it is, also while disabled: a greyed switch would look "off".
    void paintEvent(QPaintEvent* event) override;

private:
    bool m_pressed = false;
};
