#pragma once
// A non-owning reference to a live object that can never be mistaken for a later object at the
// same address: every object takes a slot in a process-wide table when it is built, and the
// slot's generation moves on when it is destroyed. A handle names the slot and the generation it
// saw, so it resolves to null once its object is gone, whatever was built in its place since.
#include <cstdint>

class IBase;

class ObjectHandle {
  public:
    ObjectHandle() = default;
    // The handle of a live object (a null object gives the empty handle).
    ObjectHandle(const IBase* object);  // NOLINT: implicit, so that `handle = object` reads plainly

    // The object while it exists, else null. Never reads the object's memory to decide.
    IBase* Get() const;
    explicit operator bool() const { return Get() != nullptr; }
    IBase* operator->() const { return Get(); }
    void Reset() { slot_ = 0, generation_ = 0; }
    bool IsEmpty() const { return generation_ == 0; }

    bool operator==(const ObjectHandle& o) const { return slot_ == o.slot_ && generation_ == o.generation_; }
    bool operator!=(const ObjectHandle& o) const { return !(*this == o); }

  private:
    friend class IBase;
    uint32_t slot_ = 0;
    uint32_t generation_ = 0;  // 0: empty
};
