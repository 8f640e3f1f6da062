// Reference-counted objects with run-time class descriptions, and the smart pointer that
// holds them. Hosts derive their services and streams from these classes; the order of
// the virtual operations is part of the contract.
#pragma once

#include <atomic>
#include <utility>

class OdRxClass {
public:
    OdRxClass(const char* name, const OdRxClass* parent) : name_(name), parent_(parent) {}
    const char* name() const { return name_; }
    const OdRxClass* parent() const { return parent_; }
    bool isDerivedFrom(const OdRxClass* other) const;

private:
    const char* name_;
    const OdRxClass* parent_;
};

template <class T> class OdSmartPtr;
class OdRxObject;
typedef OdSmartPtr<OdRxObject> OdRxObjectPtr;

class OdRxObject {
public:
    OdRxObject() = default;
    OdRxObject(const OdRxObject&) = delete;
    OdRxObject& operator=(const OdRxObject&) = delete;

    virtual ~OdRxObject();
    // This object, with one reference added, if it is of that class; else null.
    virtual OdRxObject* queryX(const OdRxClass* cls) const;
    // As queryX, but raises OdError_NotThatKindOfClass instead of answering null.
    virtual OdRxObject* x(const OdRxClass* cls) const;
    virtual const OdRxClass* isA() const;
    virtual void addRef() = 0;
    virtual void release() = 0;
    virtual long numRefs() const;
    // Not supported by the library's own objects: raise eNotApplicable.
    virtual OdRxObjectPtr clone() const;
    virtual void copyFrom(const OdRxObject* other);
    // 0 when identical, else -1 or 1 by address.
    virtual int comparedTo(const OdRxObject* other) const;
    virtual bool isEqualTo(const OdRxObject* other) const;

    static const OdRxClass* desc();
    bool isKindOf(const OdRxClass* cls) const { return isA()->isDerivedFrom(cls); }
};

// Holds one reference. Assigning an object of another class raises
// OdError_NotThatKindOfClass (see OdSmartPtr::cast for the quiet form).
template <class T> class OdSmartPtr {
public:
    OdSmartPtr() = default;
    OdSmartPtr(std::nullptr_t) {}
    // Takes over a reference the caller already owns.
    static OdSmartPtr attach(T* object) { OdSmartPtr p; p.object_ = object; return p; }
    // Adds a reference of its own.
    explicit OdSmartPtr(T* object) : object_(object) { if (object_) object_->addRef(); }
    OdSmartPtr(const OdSmartPtr& other) : OdSmartPtr(other.object_) {}
    OdSmartPtr(OdSmartPtr&& other) noexcept : object_(std::exchange(other.object_, nullptr)) {}
    template <class U> OdSmartPtr(const OdSmartPtr<U>& other) : OdSmartPtr(other.get()) {}
    ~OdSmartPtr() { reset(); }
    OdSmartPtr& operator=(OdSmartPtr other) noexcept { std::swap(object_, other.object_); return *this; }

    // The object as T if it is of T's class (one reference added), else a null pointer.
    static OdSmartPtr cast(const OdRxObject* object) {
        return object ? attach(static_cast<T*>(object->queryX(T::desc()))) : OdSmartPtr();
    }

    void reset() { if (T* o = std::exchange(object_, nullptr)) o->release(); }
    T* get() const { return object_; }
    T* operator->() const { return object_; }
    T& operator*() const { return *object_; }
    bool isNull() const { return object_ == nullptr; }
    explicit operator bool() const { return object_ != nullptr; }

private:
    T* object_ = nullptr;
};

// The usual reference counting for a class of the library's shape: interlocked, 1 after
// creation, deletes itself at 0.
template <class T> class OdRxObjectImpl : public T {
public:
    template <class... A> explicit OdRxObjectImpl(A&&... args) : T(std::forward<A>(args)...) {}
    template <class... A> static OdSmartPtr<T> createObject(A&&... args) {
        return OdSmartPtr<T>::attach(new OdRxObjectImpl(std::forward<A>(args)...));
    }
    void addRef() override { refs_.fetch_add(1); }
    void release() override { if (refs_.fetch_sub(1) == 1) delete this; }
    long numRefs() const override { return refs_.load(); }

private:
    std::atomic<long> refs_{1};
};
