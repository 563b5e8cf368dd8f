#pragma once

class KeyHelper;
class QObject;
class WebBrowser;

// A Ctrl key-down while the page is still loading: the keystroke component that keeps Ctrl+N,
// Ctrl+F and Ctrl+O away from the page, for the browser of either window.
KeyHelper *NewLoadingKeyHelper(QObject *owner, WebBrowser *browser);
