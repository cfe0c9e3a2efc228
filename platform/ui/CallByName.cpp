#include "platform/ui/CallByName.h"

#include <QMetaMethod>
#include <QMetaObject>
#include <QMetaProperty>
#include <QObject>
#include <cstring>

#include "runtime/VbError.h"

namespace ui {
namespace {

int FindOperation(const QObject* object, const char* operation) {
  const QMetaObject* meta = object->metaObject();
  for (int i = meta->methodCount() - 1; i >= 0; --i) {
    QMetaMethod m = meta->method(i);
    if (m.parameterCount() != 0 || m.access() != QMetaMethod::Public) continue;
    if (m.methodType() != QMetaMethod::Method && m.methodType() != QMetaMethod::Slot) continue;
    if (m.name() == operation) return i;
  }
  return -1;
}

void NeedObject(const QObject* object) {
  if (!object) vb::Raise(91);
}

}  // namespace

bool HasOperation(const QObject* object, const char* operation) {
  return object && FindOperation(object, operation) >= 0;
}

QVariant CallByNameResult(QObject* object, const char* operation) {
  NeedObject(object);
  int index = FindOperation(object, operation);
  if (index < 0) vb::Raise(438);
  QMetaMethod m = object->metaObject()->method(index);
  if (m.returnType() == QMetaType::Void) {
    m.invoke(object, Qt::DirectConnection);
    return {};
  }
  QVariant result(QMetaType(m.returnType()), nullptr);
  m.invoke(object, Qt::DirectConnection, QGenericReturnArgument(m.typeName(), result.data()));
  return result;
}

void CallByName(QObject* object, const char* operation) { CallByNameResult(object, operation); }

QVariant GetProperty(const QObject* object, const char* property) {
  NeedObject(object);
  int index = object->metaObject()->indexOfProperty(property);
  if (index < 0) vb::Raise(438);
  return object->metaObject()->property(index).read(object);
}

void SetProperty(QObject* object, const char* property, const QVariant& value) {
  NeedObject(object);
  int index = object->metaObject()->indexOfProperty(property);
  if (index < 0) vb::Raise(438);
  QMetaProperty p = object->metaObject()->property(index);
  if (!p.isWritable()) vb::Raise(383, "", "Property is read-only");
  QVariant v = value;
  if (v.metaType() != p.metaType() && !v.convert(p.metaType())) vb::Raise(13);
  if (!p.write(object, v)) vb::Raise(380, "", "Invalid property value");
}

}  // namespace ui
