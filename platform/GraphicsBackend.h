#pragma once

#include <QProcessEnvironment>
#include <QString>

// How windows and pages reach the screen, chosen once before the application object exists.
namespace GraphicsBackend {

// True when the machine has a graphics device this user may draw with: a node under
// "<devices>/dri" open to reading and writing, or the control node of a driver that keeps its
// own ("nvidiactl").
bool HasGpuDevice(const QString &devices);

// True when windows should be composed by Qt's own software renderer: there is no graphics
// device, so OpenGL could only be a software rasterizer, and the user has not chosen a
// renderer in the environment.
bool ComposeInSoftware(const QString &devices, const QProcessEnvironment &environment);

// Makes the choice for this process with the machine's devices under the folder devices
// ("/dev"), before the application object exists. Without a graphics device, OpenGL is a
// rasterizer that compiles its shaders at run time and maps some 60 MiB into the browser process
// for pictures that Qt's software renderer draws alike, so the program does not load it: it sets
// the software scene graph and the switch QT_XCB_GL_INTEGRATION=none.
void Choose(const QString &devices);

}
