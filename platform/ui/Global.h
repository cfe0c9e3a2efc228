// One global instance per window class: created and loaded on first use, gone once unloaded, so
// that the next use creates a fresh one.
#pragma once
#include <QPointer>

#include "platform/ui/Forms.h"

namespace ui {

template <class T>
QPointer<T>& GlobalSlot() {
  static QPointer<T> instance;
  return instance;
}

// The loaded instance, or nullptr; never creates one.
template <class T>
T* GlobalIfLoaded() {
  QPointer<T>& p = GlobalSlot<T>();
  return (p && IsLoaded(p.data())) ? p.data() : nullptr;
}

template <class T>
T& Global() {
  if (T* loaded = GlobalIfLoaded<T>()) return *loaded;
  QPointer<T>& p = GlobalSlot<T>();
  p = new T();
  p->Load();
  return *p;
}

}  // namespace ui
