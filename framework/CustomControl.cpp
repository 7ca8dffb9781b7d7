#include "CustomControl.h"

namespace plaxor {

namespace {
// Counts nested messages; the outermost one's end runs done, unless a handler freed the
// control meanwhile (then nothing of it is touched).
class DepthScope {
public:
    DepthScope(int& depth, TCustomControl* control, void (*done)(TCustomControl*))
        : depth_(depth), control_(control), done_(done) {
        ++depth_;
    }
    ~DepthScope() {
        if (TCustomControl* control = control_.get(); control && --depth_ == 0) done_(control);
    }
    DepthScope(const DepthScope&) = delete;
    DepthScope& operator=(const DepthScope&) = delete;

private:
    int& depth_;
    TComponentRef<TCustomControl> control_;
    void (*done_)(TCustomControl*);
};

// Binds a canvas to a DC for a scope and puts the previous DC back after it, unless that was
// the window DC and it was released meanwhile (a message ending inside the paint can release
// it): the canvas then gets no DC and takes a fresh one when next asked.
class CanvasBinding {
public:
    CanvasBinding(TCanvas& canvas, HDC dc, const std::unique_ptr<WindowDC>& windowDC)
        : canvas_(canvas), previous_(canvas.Handle()), windowDC_(windowDC),
          previousWasWindowDC_(windowDC && previous_ == windowDC->get()) {
        canvas_.SetHandle(dc);
    }
    ~CanvasBinding() {
        const bool released = previousWasWindowDC_ && !(windowDC_ && windowDC_->get() == previous_);
        canvas_.SetHandle(released ? nullptr : previous_);
    }
    CanvasBinding(const CanvasBinding&) = delete;
    CanvasBinding& operator=(const CanvasBinding&) = delete;

private:
    TCanvas& canvas_;
    HDC previous_;
    const std::unique_ptr<WindowDC>& windowDC_;
    bool previousWasWindowDC_;
};
} // namespace

TCustomControl::TCustomControl(TComponent* owner) : TWinControl(owner) {}

TCustomControl::~TCustomControl() {
    ReleaseWindowDC();
}

TCanvas& TCustomControl::Canvas() {
    if (!canvas_.HandleAllocated() && (HandleAllocated() || Parent())) {
        windowDC_ = std::make_unique<WindowDC>(Handle());
        canvas_.SetHandle(windowDC_->get());
        canvas_.Font().CopyFrom(Font());
        canvas_.Brush().SetColor(Color());
    }
    return canvas_;
}

void TCustomControl::ReleaseWindowDC() noexcept {
    if (!windowDC_) return;
    if (canvas_.Handle() == windowDC_->get()) canvas_.SetHandle(nullptr);
    windowDC_.reset();
}

void TCustomControl::WindowProc(TMessage& message) {
    DepthScope depth(messageDepth_, this, [](TCustomControl* c) { c->ReleaseWindowDC(); });
    if (message.Msg == WM_DESTROY) ReleaseWindowDC();
    TWinControl::WindowProc(message);
}

void TCustomControl::PaintWindow(HDC dc) {
    CanvasBinding bind(canvas_, dc, windowDC_);
    canvas_.Font().CopyFrom(Font());
    canvas_.Brush().SetColor(Color());
    PaintControl();
}

} // namespace plaxor
