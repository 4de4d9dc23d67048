// TProgressBar: a sunken frame around a bar filled in proportion to the position within
// Min..Max.
#pragma once

#include "toolkit/runtime/Controls.h"

class TProgressBar : public TWinControl {
public:
    explicit TProgressBar(TComponent* owner);
    ~TProgressBar() override;

    int Min() const { return min_; }
    void SetMin(int value);
    int Max() const { return max_; }
    void SetMax(int value);
    int Position() const { return position_; }
    void SetPosition(int value);
    int Step() const { return step_; }
    void SetStep(int value) { step_ = value; }
    // Moves the position by Step; past Max it starts again from Min.
    void StepIt();
    void StepBy(int delta);
    // Smooth: one continuous bar; otherwise blocks with gaps between them.
    bool Smooth() const { return smooth_; }
    void SetSmooth(bool value);
    // The part of the inside that is filled, in client coordinates.
    TRect FillRect();

protected:
    void PaintWindow(HDC dc) override;
    void Dispatch(TMessage& message) override;

private:
    int min_ = 0;
    int max_ = 100;
    int position_ = 0;
    int step_ = 10;
    bool smooth_ = false;
};
