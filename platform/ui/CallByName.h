// Calling an operation and reading or setting a property by name at run time, as the windows do
// with one another. An object without the member raises 438; no object raises 91.
#pragma once
#include <QVariant>

class QObject;

namespace ui {

// Calls the public operation (Q_INVOKABLE or slot) of that name without arguments; its result, if
// any, is dropped.
void CallByName(QObject* object, const char* operation);
// The same, giving the operation's result (an invalid QVariant for an operation without one).
QVariant CallByNameResult(QObject* object, const char* operation);
bool HasOperation(const QObject* object, const char* operation);

// Declared properties only (Q_PROPERTY): an undeclared name is error 438, not a new property.
QVariant GetProperty(const QObject* object, const char* property);
void SetProperty(QObject* object, const char* property, const QVariant& value);

}  // namespace ui
