// One QApplication for a GoogleTest program of widget tests, created on
// first use, with its own runtime directory and, unless told otherwise,
// the offscreen platform.
#pragma once

#include <QApplication>

namespace velmora::test {

QApplication& qtApp();

}  // namespace velmora::test
