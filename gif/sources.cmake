# gif/: files are added here by the area's owner (core files to vexlo_core, windows to vexlo_ui).
