// Components: objects with an owner that frees them, a name and a tag.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class TObject {
public:
    virtual ~TObject() = default;
};

// Events are plain callables bound to a handler method: Bind(this, &TForm1::QieClick).
using TNotifyEvent = std::function<void(TObject* Sender)>;

enum class TMouseButton { mbLeft, mbRight, mbMiddle };
enum TShiftStateFlags : unsigned { ssShift = 1, ssAlt = 2, ssCtrl = 4, ssLeft = 8, ssRight = 16, ssMiddle = 32, ssDouble = 64 };
using TShiftState = unsigned;
using TMouseEvent = std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;

template <class C, class R, class... A>
std::function<R(A...)> Bind(C* object, R (C::*method)(A...)) {
    return [object, method](A... args) -> R { return (object->*method)(std::forward<A>(args)...); };
}

class TComponent : public TObject {
public:
    explicit TComponent(TComponent* AOwner);
    ~TComponent() override;
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;

    TComponent* Owner() const { return owner_; }
    const std::string& Name() const { return name_; }
    void SetName(const std::string& name) { name_ = name; }
    intptr_t Tag = 0;

    int ComponentCount() const { return static_cast<int>(components_.size()); }
    TComponent* Components(int index) const { return components_[static_cast<size_t>(index)]; }

    // Forms are only ever built at run time here, never in a designer.
    bool Designing() const { return false; }

    // Takes the component out of its owner's list so the owner no longer frees it.
    void RemoveFromOwner();

private:
    TComponent* owner_;
    std::string name_;
    std::vector<TComponent*> components_;
};

// A component in one call: owned by `owner`, which frees it, and named.
template <class T>
T* Make(TComponent* owner, const std::string& name) {
    auto* component = new T(owner);
    component->SetName(name);
    return component;
}
