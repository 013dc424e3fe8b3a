// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "play/BallOutline.h"

#include <QAbstractButton>
#include <QPainterPath>
#include <QPixmap>
#include <QRegion>
#include <QTimer>

#include <memory>

// A push button with the outline of a ball: it paints its picture inside the
// outline and its caption (the take number) over it; beside the outline the
// window behind shows, and clicks there go to it. The outline comes from a
// shape file (`FileName`); without one, or when the file is missing or
// malformed, it is a circle.
class ShapedButton : public QAbstractButton {
    Q_OBJECT
public:
    explicit ShapedButton(QWidget* parent = nullptr);

    void SetFileName(const QString& path);  // loads the outline from a shape file
    QString FileName() const;
    void SetCaption(const QString& caption);
    QString Caption() const;
    void SetPicture(const QPixmap& picture);
    QPixmap Picture() const;
    void SetAlignmentV(int alignment);  // vertical place of the caption
    int AlignmentV() const;

    // The outline in widget coordinates.
    QPainterPath Outline() const;
    // Where the button paints: the outline and its smoothed rim.
    QRegion VisibleRegion() const;
    // The outline shared with the balls that copied this one.
    const BallOutline* SharedOutline() const { return outline_.get(); }

    // Makes the ball `pixels` square, its outline with it at once (so the
    // balls that copy it share that outline). Caption, focus mark and
    // refusal mark are drawn in proportion to the side as designed.
    void SetSide(int pixels);

    // Takes over outline, caption font, size, picture and alignment of `other`.
    void CopyPropertiesFrom(const ShapedButton& other);

    // Whether the button marks the keyboard focus while it has it. Off by
    // default: whoever handles the keys switches it on once a key is used.
    void SetKeyboardFocusMark(bool shown);
    // True while the focus mark is on screen: switched on and focused.
    bool ShowsFocusMark() const;

    // A cross over the ball for a moment, for a take that was refused: seen
    // with the sound off, and in black and white, so no colour is needed.
    // It goes by itself after `milliseconds`.
    void ShowRefusalMark(int milliseconds);
    bool ShowsRefusalMark() const { return refusalMark_.isActive(); }

signals:
    void Click();

protected:
    bool hitButton(const QPoint& pos) const override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void SetFieldOutline(const QPainterPath& fieldOutline);
    void PaintFocusMark(QPainter& painter, const QPainterPath& outline) const;
    void PaintCaption(QPainter& painter) const;
    void PaintRefusalMark(QPainter& painter) const;
    // The ball's side against the designed one: 1 as designed, less on a
    // board shrunk to fit the screen.
    double DrawnScale() const;

    QString fileName_;
    std::shared_ptr<const BallOutline> outline_;
    QPixmap picture_;
    QString caption_;
    int alignmentV_ = 1;
    bool keyboardFocusMark_ = false;
    QTimer refusalMark_;
};
