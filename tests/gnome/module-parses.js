// Whether the ES module named by the argument parses. The shell's own modules that it imports exist only
// inside GNOME Shell, so failing to load them is expected; a syntax error is not.
import GLib from 'gi://GLib';
import System from 'system';

const [path] = System.programArgs;
if (!GLib.file_test(path, GLib.FileTest.IS_REGULAR)) {
    printerr(`${path}: no such file`);
    System.exit(1);
}
try {
    await import(`file://${path}`);
} catch (error) {
    if (error instanceof SyntaxError) {
        printerr(`${path}: ${error.name}: ${error.message} (line ${error.lineNumber})`);
        System.exit(1);
    }
}
