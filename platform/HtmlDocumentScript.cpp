#include "platform/HtmlDocumentScript.h"

#include <QFile>

namespace {

const char *const DocumentScript = R"JS(
(function () {
    'use strict';
    if (window.__kvDocument)
        return;
    let rules = %RULES%;
    let bridge = null;
    const pending = [];

    function send(method, args) {
        if (bridge)
            bridge[method].apply(bridge, args);
        else
            pending.push([method, args]);
    }

    // The engine may give a new document the channel's transport only after this script has run
    // there: until it comes, reports wait and the document's commands already work.
    (function connect(delay) {
        if (typeof qt !== 'object' || !qt || !qt.webChannelTransport) {
            setTimeout(connect, delay, Math.min(delay * 2, 200));
            return;
        }
        new QWebChannel(qt.webChannelTransport, function (channel) {
            bridge = channel.objects.%BRIDGE%;
            for (const m of pending.splice(0))
                bridge[m[0]].apply(bridge, m[1]);
        });
    })(5);

    // An element's default value as text: the address for a link, a type name otherwise.
    function textValue(el) {
        return el ? String(el) : '';
    }

    function linkAddress(el) {
        if (!el)
            return '';
        if (typeof el.href === 'string')
            return el.href;
        return el.getAttribute && el.hasAttribute('href') ? el.getAttribute('href') : '';
    }

    function enclosingLinkAddress(el) {
        const link = el && el.closest ? el.closest('a[href], area[href]') : null;
        return link ? link.href : '';
    }

    function elementOf(target) {
        if (target && target.nodeType === Node.TEXT_NODE)
            return target.parentElement;
        return target && target.nodeType === Node.ELEMENT_NODE ? target : null;
    }

    function selectionType() {
        const s = document.getSelection();
        return s && s.type === 'Range' ? 'Text' : 'None';
    }

    function decide(rule, src) {
        if (rule.cancel === 'always')
            return true;
        return rule.cancel === 'withoutParent' && !(src && src.parentElement);
    }

    function onEvent(e) {
        const rule = rules[e.type];
        if (!rule)
            return;
        const src = elementOf(e.target);
        const parent = src ? src.parentElement : null;
        const active = document.activeElement;
        const cancelled = decide(rule, src);
        if (cancelled)
            e.preventDefault();
        if (!rule.report)
            return;
        send('pageEvent', [{
            type: e.type,
            hasSrcElement: !!src,
            srcTagName: src ? src.tagName : '',
            srcOuterHTML: src ? src.outerHTML : '',
            srcText: textValue(src),
            srcHref: linkAddress(src),
            linkHref: enclosingLinkAddress(src),
            srcTypeAttribute: src && src.hasAttribute('type') ? src.getAttribute('type') : '',
            hasParentElement: !!parent,
            parentTagName: parent ? parent.tagName : '',
            parentText: textValue(parent),
            activeTagName: active ? active.tagName : '',
            activeHref: linkAddress(active),
            activeOuterHTML: active ? active.outerHTML : '',
            selectionType: selectionType(),
            keyCode: e.keyCode || e.charCode || 0,
            button: typeof e.button === 'number' ? e.button : 0,
            clientX: e.clientX || 0,
            clientY: e.clientY || 0,
            cancelled: cancelled
        }]);
    }

    for (const type of ['click', 'keypress', 'selectstart', 'contextmenu', 'mouseup'])
        window.addEventListener(type, onEvent, true);

    window.addEventListener('load', function () {
        send('windowLoaded', [location.href, document.title]);
    });
    send('documentCreated', [location.href]);

    // Formatting commands work only on editable content here; on a page that is not, the command
    // runs with the document editable for that moment, as on a document that allows it anywhere.
    function execCommand(command, showUI, value) {
        if (document.designMode === 'on' || command.toLowerCase() !== 'fontsize')
            return document.execCommand(command, showUI, value);
        document.designMode = 'on';
        try {
            return document.execCommand(command, showUI, value);
        } finally {
            document.designMode = 'off';
        }
    }

    function selectAll() {
        document.execCommand('selectAll');
    }

    // Leaves no selection: in the document, and in a focused text box the caret at its end.
    function clearSelection() {
        const active = document.activeElement;
        try {
            if (active && typeof active.setSelectionRange === 'function' && active.selectionEnd !== null)
                active.setSelectionRange(active.selectionEnd, active.selectionEnd);
        } catch (e) {
            // Boxes of some types have no text selection.
        }
        document.getSelection().removeAllRanges();
    }

    window.__kvDocument = {
        setRules: function (r) { rules = r; },
        execCommand: execCommand,
        selectAll: selectAll,
        clearSelection: clearSelection
    };
})();
)JS";

QString ChannelLibrary()
{
    QFile file(":/qtwebchannel/qwebchannel.js");
    file.open(QIODevice::ReadOnly);
    return QString::fromUtf8(file.readAll());
}

} // namespace

QString HtmlDocumentScript::Source(const QString &rulesJson)
{
    static const QString library = ChannelLibrary();
    return library + "\n"
        + QString::fromUtf8(DocumentScript)
              .replace("%RULES%", rulesJson)
              .replace("%BRIDGE%", QString::fromLatin1(BridgeName));
}

QString HtmlDocumentScript::SetRules(const QString &rulesJson)
{
    return QStringLiteral("window.__kvDocument && window.__kvDocument.setRules(%1);").arg(rulesJson);
}
