#pragma once
// The one shape of the game's long-lived services: made on first use, alive until deleted.
//
//     class CThing : public CSingleton<CThing> {
//         friend class CSingleton<CThing>;
//         CThing();  // private: only the template makes one
//     };
//
// The class gets GetInstance, HasInstance and DeleteInstance. When it has work to do once it
// exists (work that may fail while the instance must stay in place, or that depends on the
// game's state at the time), it declares its own `void OnInstanceCreated()`, which GetInstance
// calls right after construction. A constructor that throws leaves no instance; a throwing
// OnInstanceCreated leaves the new instance in place for the next call. Teardown belongs in the
// class's destructor; DeleteInstance runs it while the instance is still the current one.

template <class T>
class CSingleton {
  public:
    static T* GetInstance() {
        if (!instance_) {
            instance_ = new T();
            instance_->OnInstanceCreated();
        }
        return instance_;
    }

    static bool HasInstance() { return instance_ != nullptr; }

    // Deletes the instance; the next GetInstance makes a fresh one.
    static void DeleteInstance() {
        delete instance_;
        instance_ = nullptr;
    }

    CSingleton(const CSingleton&) = delete;
    CSingleton& operator=(const CSingleton&) = delete;

  protected:
    CSingleton() = default;
    ~CSingleton() = default;
    // Nothing by default; a class hides it with its own.
    void OnInstanceCreated() {}

  private:
    static inline T* instance_ = nullptr;
};
