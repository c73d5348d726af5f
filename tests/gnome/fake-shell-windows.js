// Stands in for Tulma's Shell extension on a private session bus: "listing" answers with a native window
// whose title is far too long (focused) and an X11 one, and prints each activation; "malformed" answers the
// listing with the wrong type.
const {Gio, GLib} = imports.gi;

const [mode] = ARGV;
const listType = mode === 'malformed' ? 'a(ts)' : 'a(tsssub)';
const Interface = `
<node>
  <interface name="org.tulma.GnomeShellWindows">
    <method name="ListWindows"><arg type="${listType}" direction="out"/></method>
    <method name="Activate"><arg type="t" direction="in"/><arg type="b" direction="out"/></method>
  </interface>
</node>`;

const service = Gio.DBusExportedObject.wrapJSObject(Interface, {
    ListWindows: () => mode === 'malformed' ? [[5, 'Editor']] : [
        [5, 'é'.repeat(150), 'editor.app', 'editor.app', 0, true],
        [6, 'Terminal', 'XTerm', 'xterm', 0x400007, false],
    ],
    Activate: id => {
        print(`Activate ${id}`);
        return true;
    },
});
service.export(Gio.DBus.session, '/org/tulma/GnomeShellWindows');
Gio.bus_own_name_on_connection(Gio.DBus.session, 'org.tulma.GnomeShellWindows', Gio.BusNameOwnerFlags.NONE,
    null, null);
new GLib.MainLoop(null, false).run();
