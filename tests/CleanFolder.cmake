# Empties FOLDER (making it when missing): the tests' temporary folder before a run.
file(REMOVE_RECURSE ${FOLDER})
file(MAKE_DIRECTORY ${FOLDER})
