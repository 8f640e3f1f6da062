// Folders without their trailing backslash, for the registry values that name a folder the
// way the server's own registration writes it (the type library's help folder): Windows
// Installer hands directories out only with one. Run after the costing has fixed them.
function SetFolders() {
    var dirs = ["INSTALLDIR", "INSTALLDIR64"];
    for (var i = 0; i < dirs.length; ++i) {
        var folder = Session.Property(dirs[i]);
        Session.Property(dirs[i] + "_FOLDER") = folder.replace(/\\+$/, "");
    }
    return 1;
}
